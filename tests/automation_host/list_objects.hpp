#pragma once

// Lists of host objects, 1-based as the host's are: by position or by name.

#include <memory>
#include <string>
#include <vector>

#include "com_object.hpp"

namespace sledway::automation_host {

// What a list holds: the object and the name Item finds it by (may be empty).
struct ListEntry {
  std::wstring name;
  ComPtr<IDispatch> object;
};
using ListEntries = std::vector<ListEntry>;

// What Delete does to a button definition, bar, panel or control: takes `object` out of the list
// that held it. Fails when the list is gone or no longer holds it (deleted already).
HRESULT TakeOut(const std::weak_ptr<ListEntries>& entries, IDispatch* object, const wchar_t* what);

// Resolves an Item index (a position from 1, or a name) to a position from 0, or fails with a
// message naming `list`.
HRESULT FindEntry(const std::vector<ListEntry>& entries, const VARIANT& index, const wchar_t* list,
                  size_t& position);

// A list answering Count and Item; `Interface` derives from ObjectsEnumerator.
template <class Interface>
class List : public Object<Interface, ::ObjectsEnumerator> {
 public:
  List(IDispatch* application, const wchar_t* what)
      : Object<Interface, ::ObjectsEnumerator>(application), what_(what) {}

  HRESULT STDMETHODCALLTYPE get_Count(long* value) override {
    if (value == nullptr) return E_POINTER;
    *value = static_cast<long>(entries_->size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Item(VARIANT index, IDispatch** value) override {
    size_t position = 0;
    HRESULT found = FindEntry(*entries_, index, what_, position);
    if (FAILED(found)) return found;
    return Give((*entries_)[position].object, value);
  }

  void Append(std::wstring name, ComPtr<IDispatch> object) {
    entries_->push_back({std::move(name), std::move(object)});
  }
  // The object named `name`, or null.
  ComPtr<IDispatch> Named(const std::wstring& name) const {
    for (const ListEntry& entry : *entries_) {
      if (entry.name == name) return entry.object;
    }
    return nullptr;
  }
  std::vector<ListEntry>& entries() { return *entries_; }
  // For the objects of the list that can delete themselves from it.
  std::weak_ptr<ListEntries> Holder() const { return entries_; }

 private:
  const wchar_t* what_;
  std::shared_ptr<ListEntries> entries_ = std::make_shared<ListEntries>();
};

// A read-only list of `objects` (ObjectsEnumerator, EdgeCollection, a profile and its paths).
ComPtr<IDispatch> NewObjectsEnumerator(IDispatch* application,
                                       const std::vector<ComPtr<IDispatch>>& objects);
// An ObjectCollection the caller fills.
ComPtr<IDispatch> NewObjectCollection(IDispatch* application);
// Appends `object` unless `objects` holds it already (the same COM identity): a selection
// holds an entity once.
void AppendOnce(std::vector<ComPtr<IDispatch>>& objects, const ComPtr<IDispatch>& object);
// The objects of any list of the host (through Count and Item).
HRESULT ReadList(IDispatch* list, std::vector<ComPtr<IDispatch>>& objects);

// Application.TransientObjects.
ComPtr<IDispatch> NewTransientObjects(IDispatch* application);
// An empty NameValueMap, the Context of OnExecute.
ComPtr<IDispatch> NewNameValueMap(IDispatch* application);

}  // namespace sledway::automation_host
