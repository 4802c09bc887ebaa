#pragma once

// What a host does around loading the add-in library, for the tests that play the host: run a
// program (regsvr32, msiexec) and wait for it, create the library's classes through the
// activation context of the manifest the library carries, ask the library whether it may be
// unloaded, and look for a registry key.

#include <windows.h>

#include <string>

namespace sledway::com::test {

// Runs `command` and waits for it; its exit code, or the error that kept it from starting.
inline DWORD RunAndWait(std::wstring command) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return GetLastError();
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

// While this lives, the classes of the manifest embedded in `library` (RT_MANIFEST, id 2) are
// created from that library, without registry keys, as a host does for an add-in whose .addin
// file names the library.
class ActivationContext {
 public:
  explicit ActivationContext(const std::wstring& library) {
    ACTCTXW context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = library.c_str();
    context.lpResourceName = MAKEINTRESOURCEW(2);
    handle_ = CreateActCtxW(&context);
    if (handle_ != INVALID_HANDLE_VALUE && !ActivateActCtx(handle_, &cookie_)) {
      ReleaseActCtx(handle_);
      handle_ = INVALID_HANDLE_VALUE;
    }
  }
  ~ActivationContext() {
    if (handle_ == INVALID_HANDLE_VALUE) return;
    DeactivateActCtx(0, cookie_);
    ReleaseActCtx(handle_);
  }
  ActivationContext(const ActivationContext&) = delete;
  ActivationContext& operator=(const ActivationContext&) = delete;

  bool Active() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
};

// The loaded `library`'s DllCanUnloadNow; S_OK when it is not loaded.
inline HRESULT CanUnloadNow(const std::wstring& library) {
  HMODULE loaded = GetModuleHandleW(library.c_str());
  if (loaded == nullptr) return S_OK;
  // Through a plain function pointer type: GetProcAddress's own type does not match the entry's.
  const auto canUnloadNow = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
      reinterpret_cast<void (*)()>(GetProcAddress(loaded, "DllCanUnloadNow")));
  return canUnloadNow == nullptr ? E_FAIL : canUnloadNow();
}

inline bool KeyExists(HKEY root, const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

}  // namespace sledway::com::test
