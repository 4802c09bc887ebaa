#include "event_source.hpp"

namespace sledway::automation_host {

HRESULT FireEvent(const SinkList& sinks, const IID& source, const wchar_t* event,
                  std::vector<VARIANT>& reversedArguments) {
  ComPtr<ITypeInfo> events = TypeInfoOf(source);
  LPOLESTR names[] = {const_cast<LPOLESTR>(event)};
  MEMBERID id = MEMBERID_NIL;
  HRESULT result = events->GetIDsOfNames(names, 1, &id);
  if (FAILED(result)) return result;
  // A sink may disconnect itself while handling the event.
  const std::vector<std::pair<DWORD, ComPtr<IDispatch>>> connected = sinks.sinks;
  HRESULT first = S_OK;
  for (const auto& sink : connected) {
    DISPPARAMS params{reversedArguments.empty() ? nullptr : reversedArguments.data(), nullptr,
                      static_cast<UINT>(reversedArguments.size()), 0};
    EXCEPINFO exception{};
    UINT argumentError = 0;
    HRESULT called = sink.second->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                         &params, nullptr, &exception, &argumentError);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    if (FAILED(called) && SUCCEEDED(first)) first = called;
  }
  return first;
}

}  // namespace sledway::automation_host
