#pragma once

#include <objbase.h>

#include <atomic>

namespace thumbnails {

// Whether any object of the server is alive or any class factory locked, as DllCanUnloadNow asks.
bool InUse();
void CountObjects(int change);
void CountLocks(int change);

// COM interfaces have no destructor: an object is only ever deleted by its own Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

// The reference counting of an object that implements the interfaces, counted among the server's
// objects from creation to its last Release.
template <typename... Interfaces>
class ComObject : public Interfaces... {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const long left = --references_;
    if (left == 0) {
      delete this;
    }
    return static_cast<ULONG>(left);
  }

 protected:
  ComObject() { CountObjects(1); }
  virtual ~ComObject() { CountObjects(-1); }

  // The object as `Interface`, with a reference for the caller.
  template <typename Interface>
  HRESULT Hand(Interface* self, void** object) {
    *object = self;
    AddRef();
    return S_OK;
  }

 private:
  std::atomic<long> references_{1};
};

#pragma GCC diagnostic pop

// The object's interface `id` for a caller that takes over the object's first reference.
template <typename Object>
HRESULT HandOver(Object* created, REFIID id, void** object) {
  if (created == nullptr) {
    return E_OUTOFMEMORY;
  }
  const HRESULT result = created->QueryInterface(id, object);
  created->Release();
  return result;
}

}  // namespace thumbnails
