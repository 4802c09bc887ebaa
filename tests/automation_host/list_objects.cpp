#include "list_objects.hpp"


namespace sledway::automation_host {

HRESULT FindEntry(const std::vector<ListEntry>& entries, const VARIANT& index, const wchar_t* list,
                  size_t& position) {
  const VARIANT& given = index.vt == (VT_BYREF | VT_VARIANT) ? *index.pvarVal : index;
  if (given.vt == VT_BSTR || given.vt == (VT_BYREF | VT_BSTR)) {
    const BSTR text = given.vt == VT_BSTR ? given.bstrVal : *given.pbstrVal;
    const std::wstring name = text == nullptr ? L"" : std::wstring(text, SysStringLen(text));
    for (position = 0; position < entries.size(); ++position) {
      if (entries[position].name == name) return S_OK;
    }
    return Failure(E_INVALIDARG, std::wstring(list) + L" has no item named \"" + name + L"\"");
  }
  double number = 0.0;
  HRESULT read = ReadDouble(given, number);
  if (FAILED(read)) return read;
  if (!(number >= 1.0 && number <= static_cast<double>(entries.size()))) {
    return Failure(E_INVALIDARG, std::wstring(list) + L" has no item " +
                                     std::to_wstring(static_cast<long long>(number)) +
                                     L": it holds " + std::to_wstring(entries.size()) +
                                     L", counted from 1");
  }
  position = static_cast<size_t>(number) - 1;
  return S_OK;
}

HRESULT TakeOut(const std::weak_ptr<ListEntries>& entries, IDispatch* object, const wchar_t* what) {
  const std::shared_ptr<ListEntries> list = entries.lock();
  ComPtr<IUnknown> identity;
  if (list && SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&identity)))) {
    for (auto entry = list->begin(); entry != list->end(); ++entry) {
      ComPtr<IUnknown> held;
      if (SUCCEEDED(entry->object.As(&held)) && held.Get() == identity.Get()) {
        // The entry may hold the last reference but one: the caller's keeps the object alive.
        list->erase(entry);
        return S_OK;
      }
    }
  }
  return Failure(E_FAIL, std::wstring(what) + L".Delete: it was deleted already");
}

namespace {

class ObjectCollectionObject final : public List<::ObjectCollection> {
 public:
  explicit ObjectCollectionObject(IDispatch* application) : List(application, L"the collection") {}

  HRESULT STDMETHODCALLTYPE Add(IDispatch* object) override {
    if (object == nullptr) return Failure(E_INVALIDARG, L"Add: Nothing cannot be collected");
    Append(L"", object);
    return S_OK;
  }
};

class TransientObjectsObject final : public Object<::TransientObjects> {
 public:
  using Object::Object;

  HRESULT STDMETHODCALLTYPE CreateObjectCollection(VARIANT collection, IDispatch** value) override {
    std::vector<ComPtr<IDispatch>> objects;
    if (Present(collection)) {
      const VARIANT& given =
          collection.vt == (VT_BYREF | VT_VARIANT) ? *collection.pvarVal : collection;
      if (given.vt != VT_DISPATCH) {
        return Failure(DISP_E_TYPEMISMATCH, L"CreateObjectCollection: a collection was expected");
      }
      HRESULT read = ReadList(given.pdispVal, objects);
      if (FAILED(read)) return read;
    }
    ComPtr<IDispatch> made = NewObjectCollection(application());
    ComPtr<::ObjectCollection> filled;
    made.As(&filled);
    for (const ComPtr<IDispatch>& object : objects) filled->Add(object.Get());
    return Give(made, value);
  }
};

}  // namespace

ComPtr<IDispatch> NewObjectsEnumerator(IDispatch* application,
                                       const std::vector<ComPtr<IDispatch>>& objects) {
  auto list = Make<List<::ObjectsEnumerator>>(application, L"the list");
  for (const ComPtr<IDispatch>& object : objects) list->Append(L"", object);
  return list;
}

ComPtr<IDispatch> NewObjectCollection(IDispatch* application) {
  return Make<ObjectCollectionObject>(application);
}

void AppendOnce(std::vector<ComPtr<IDispatch>>& objects, const ComPtr<IDispatch>& object) {
  ComPtr<IUnknown> identity;
  if (!object || FAILED(object.As(&identity))) return;
  for (const ComPtr<IDispatch>& held : objects) {
    ComPtr<IUnknown> heldIdentity;
    if (SUCCEEDED(held.As(&heldIdentity)) && heldIdentity.Get() == identity.Get()) return;
  }
  objects.push_back(object);
}

HRESULT ReadList(IDispatch* list, std::vector<ComPtr<IDispatch>>& objects) {
  ComPtr<::ObjectsEnumerator> enumerator;
  if (list == nullptr || FAILED(list->QueryInterface(IID_PPV_ARGS(&enumerator)))) {
    return Failure(E_INVALIDARG, L"a list of objects was expected");
  }
  long count = 0;
  enumerator->get_Count(&count);
  for (long i = 1; i <= count; ++i) {
    VARIANT index{};
    index.vt = VT_I4;
    index.lVal = i;
    ComPtr<IDispatch> item;
    HRESULT got = enumerator->get_Item(index, &item);
    if (FAILED(got)) return got;
    objects.push_back(item);
  }
  return S_OK;
}

ComPtr<IDispatch> NewTransientObjects(IDispatch* application) {
  return Make<TransientObjectsObject>(application);
}

ComPtr<IDispatch> NewNameValueMap(IDispatch* application) {
  return Make<Object<::NameValueMap>>(application);
}

}  // namespace sledway::automation_host
