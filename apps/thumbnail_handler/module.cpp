// The in-process server: one class a file type, told apart by the class that the type's
// registration names, so that no guess is made from the bytes.
#include <objbase.h>

#include <new>

#include "com_object.h"
#include "thumbnail_provider.h"

namespace {

using thumbnails::LogoKind;

std::atomic<long> objects{0};
std::atomic<long> locks{0};

class ClassFactory final : public thumbnails::ComObject<IClassFactory> {
 public:
  explicit ClassFactory(LogoKind kind) : kind_(kind) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) {
      return E_POINTER;
    }
    *object = nullptr;
    const bool known = id == IID_IUnknown || id == IID_IClassFactory;
    return known ? Hand(static_cast<IClassFactory*>(this), object) : E_NOINTERFACE;
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id, void** object) override {
    if (object != nullptr) {
      *object = nullptr;
    }
    return outer != nullptr ? CLASS_E_NOAGGREGATION : thumbnails::CreateProvider(kind_, id, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    thumbnails::CountLocks(lock ? 1 : -1);
    return S_OK;
  }

 private:
  LogoKind kind_;
};

bool IsClass(REFCLSID id, const wchar_t* text) {
  CLSID named{};
  return SUCCEEDED(CLSIDFromString(text, &named)) && named == id;
}

}  // namespace

namespace thumbnails {

bool InUse() {
  return objects > 0 || locks > 0;
}
void CountObjects(int change) {
  objects += change;
}
void CountLocks(int change) {
  locks += change;
}

}  // namespace thumbnails

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID class_id, REFIID id, void** object) {
  if (object == nullptr) {
    return E_POINTER;
  }
  *object = nullptr;
  LogoKind kind;
  if (IsClass(class_id, KP_NSL_THUMBNAILS)) {
    kind = LogoKind::Nsl;
  } else if (IsClass(class_id, KP_NLM_THUMBNAILS)) {
    kind = LogoKind::Nlm;
  } else {
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  return thumbnails::HandOver(new (std::nothrow) ClassFactory(kind), id, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return thumbnails::InUse() ? S_FALSE : S_OK;
}
