// What a server shell needs: reference-counted objects over several
// interfaces, a class factory, the table of the server's classes, its
// registration, and the four exports.
//
// A server shell in a few lines:
//
//   class CRunemapRusSimpleSm
//       : public ComObject<IRunemap, IRunemapInfo, IRunemapLang, IRunemap2> {
//    public:
//     HRESULT FinalConstruct();   // optional, public; a failure drops the object
//     ...interface methods...
//   };
//
//   const ServerClass kRunemapClasses[] = {
//       {.clsid = CLSID_RunemapRusSimpleSm,
//        .progId = u"Runemap.RunemapRusSimpleSm",
//        .description = u"RunemapRusSimpleSm Class",
//        .create = CreateComObject<CRunemapRusSimpleSm>},
//   };
//   COM_SERVER_EXPORTS(kRunemapClasses)
//
// The object count and the LockServer count live in each server's own
// shared object (everything here is hidden there but the four exports).
#pragma once

#include <atomic>
#include <cstddef>
#include <iterator>
#include <new>
#include <string_view>
#include <type_traits>

#include "platform/com.h"
#include "platform/module_resources.h"
#include "platform/registry.h"

#if defined(__GNUC__)
#define SERVER_LOCAL __attribute__((visibility("hidden")))
#else
#define SERVER_LOCAL
#endif

// Live objects plus LockServer(TRUE) calls of this shared object.
SERVER_LOCAL inline std::atomic<LONG>& ServerLockCount() {
  static std::atomic<LONG> count{0};
  return count;
}

namespace com_object_detail {
// An interface listed in ComObject that is the base of another listed one is
// reached through that one and must not be inherited a second time.
template <class I>
struct Reached {};

template <class I, class... All>
inline constexpr bool kIsBaseOfAnother = ((std::is_base_of_v<I, All> && !std::is_same_v<I, All>) || ...);

template <class I, class... All>
using Base = std::conditional_t<kIsBaseOfAnother<I, All...>, Reached<I>, I>;

template <class First, class...>
struct FirstOf {
  using type = First;
};
}  // namespace com_object_detail

// An object answering QueryInterface for exactly Interfaces... (list a base
// interface too when it should be answered: ComObject<IEcho2, IEcho>). The
// first one also answers for IUnknown, so every route gives the same
// IUnknown pointer. It starts with no references; CreateComObject hands out
// the first one. Deleted when the last reference goes.
//
// Created inside an outer object (aggregation), the object's own IUnknown
// is a separate, non-delegating one that only the outer holds; the
// IUnknown methods of every listed interface go to the outer object.
template <class... Interfaces>
class SERVER_LOCAL ComObject : public com_object_detail::Base<Interfaces, Interfaces...>... {
  using Primary = typename com_object_detail::FirstOf<Interfaces...>::type;

 public:
  ComObject() { ++ServerLockCount(); }
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT QueryInterface(REFIID riid, void** ppv) final {
    return outer_ != nullptr ? outer_->QueryInterface(riid, ppv) : OwnQueryInterface(riid, ppv);
  }
  ULONG AddRef() final { return outer_ != nullptr ? outer_->AddRef() : OwnAddRef(); }
  ULONG Release() final { return outer_ != nullptr ? outer_->Release() : OwnRelease(); }

  // The object's own reference count and interfaces, whether aggregated or
  // not; CreateComObject makes the object through it.
  IUnknown* NonDelegatingUnknown() { return &inner_; }
  // Before anything else is done with the object.
  void AggregateIn(IUnknown* outer) { outer_ = outer; }

 protected:
  virtual ~ComObject() { --ServerLockCount(); }

  // Interfaces answered by something else (an inner object). It AddRefs
  // what it returns; *ppv is null on entry.
  virtual HRESULT QueryOtherInterface(REFIID /*riid*/, void** /*ppv*/) { return E_NOINTERFACE; }

 private:
  class Inner final : public IUnknown {
   public:
    explicit Inner(ComObject* object) : object_(object) {}
    HRESULT QueryInterface(REFIID riid, void** ppv) override {
      return object_->OwnQueryInterface(riid, ppv);
    }
    ULONG AddRef() override { return object_->OwnAddRef(); }
    ULONG Release() override { return object_->OwnRelease(); }

   private:
    ComObject* object_;
  };

  HRESULT OwnQueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown) {
      *ppv = outer_ != nullptr ? static_cast<IUnknown*>(&inner_)
                               : static_cast<IUnknown*>(static_cast<Primary*>(this));
    } else {
      (void)(Answer<Interfaces>(riid, ppv) || ...);
    }
    if (*ppv == nullptr) return QueryOtherInterface(riid, ppv);
    // Through the pointer handed out: an interface of an aggregated object
    // counts on the outer one.
    static_cast<IUnknown*>(*ppv)->AddRef();
    return S_OK;
  }
  ULONG OwnAddRef() { return refs_.fetch_add(1, std::memory_order_relaxed) + 1; }
  ULONG OwnRelease() {
    ULONG left = refs_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0) delete this;
    return left;
  }

  template <class I>
  bool Answer(REFIID riid, void** ppv) {
    if (!(riid == IidOf<I>())) return false;
    *ppv = static_cast<I*>(this);
    return true;
  }

  std::atomic<ULONG> refs_{0};
  IUnknown* outer_ = nullptr;  // not counted: the outer holds this object
  Inner inner_{this};
};

// Creates a T (inside `outer` when it is not null; then riid must be
// IUnknown), runs its public FinalConstruct() when it has one, and asks it
// for riid. A failure at any step leaves no object.
template <class T>
HRESULT CreateComObject(IUnknown* outer, REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  *ppv = nullptr;
  if (outer != nullptr && !(riid == IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  T* object = nullptr;
  try {
    object = new T();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
  object->AggregateIn(outer);
  IUnknown* own = object->NonDelegatingUnknown();
  own->AddRef();
  HRESULT hr = S_OK;
  try {
    if constexpr (requires(T& t) { t.FinalConstruct(); }) hr = object->FinalConstruct();
    if (SUCCEEDED(hr)) hr = own->QueryInterface(riid, ppv);
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
  } catch (...) {
    hr = E_FAIL;
  }
  own->Release();
  return hr;
}

template <class T>
HRESULT CreateComObject(REFIID riid, void** ppv) {
  return CreateComObject<T>(nullptr, riid, ppv);
}

using ObjectCreator = HRESULT (*)(IUnknown* outer, REFIID riid, void** ppv);

// Extra registry entries of a class. Called with the class's open
// HKEY_CLASSES_ROOT\CLSID\{clsid} key after the standard entries are
// written (registering true), and before they are removed (registering
// false; the key is null when the class is not registered).
using RegistryHook = HRESULT (*)(HKEY clsidKey, bool registering);

struct ServerClass {
  CLSID clsid;
  // Version-independent ProgID ("Runemap.RunemapRusSimpleSm"); ".1" is the
  // versioned one. Null: no ProgID.
  const char16_t* progId = nullptr;
  // Default value of the CLSID key and of the ProgID keys.
  const char16_t* description = nullptr;
  ObjectCreator create = nullptr;
  // Written as CLSID\{clsid}\Implemented Categories\{category}; GUID_NULL: none.
  GUID category{};
  RegistryHook registryHook = nullptr;
  // May be created inside an outer object.
  bool aggregatable = false;
};

// The class factory handed out by DllGetClassObject.
class SERVER_LOCAL ServerClassFactory final : public ComObject<IClassFactory> {
 public:
  explicit ServerClassFactory(ObjectCreator create, bool aggregatable = false)
      : create_(create), aggregatable_(aggregatable) {}

  HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (outer != nullptr && !aggregatable_) return CLASS_E_NOAGGREGATION;
    return create_(outer, riid, ppv);
  }
  HRESULT LockServer(BOOL lock) override {
    if (lock) {
      ++ServerLockCount();
    } else {
      --ServerLockCount();
    }
    return S_OK;
  }

 private:
  ObjectCreator create_;
  bool aggregatable_;
};

SERVER_LOCAL inline HRESULT GetServerClassObject(const ServerClass* classes, size_t count, REFCLSID clsid,
                                    REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  *ppv = nullptr;
  for (size_t i = 0; i < count; ++i) {
    if (!(classes[i].clsid == clsid)) continue;
    auto* factory = new (std::nothrow) ServerClassFactory(classes[i].create, classes[i].aggregatable);
    if (factory == nullptr) return E_OUTOFMEMORY;
    factory->AddRef();
    HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

constexpr HRESULT SELFREG_E_TYPELIB = MakeHresult(0x80040200u);

// The type library a server carries (version 1.0, language neutral). Only
// its registration exists: the binary library is not built.
struct ServerTypeLibrary {
  GUID libid;
  const char16_t* helpString;
};

// For each class: CLSID\{clsid} (default = description) with ProgID,
// VersionIndependentProgID, InprocServer32 (default = absolute path of the
// shared object holding addressInModule, ThreadingModel "Both"), the
// category and, with a type library, TypeLib (default = its libid); the
// ProgID keys <progId>.1 and <progId> with CLSID (and CurVer on the second);
// then the class's hook. A class key left from before is replaced whole.
// Then the type library: TypeLib\{libid}\1.0 (default = help string) with
// 0\win32 (the module path), FLAGS "0" and HELPDIR (the module's folder).
// SELFREG_E_CLASS or SELFREG_E_TYPELIB on failure.
PLATFORM_API HRESULT RegisterServerClasses(const ServerClass* classes, size_t count,
                                           const void* addressInModule,
                                           const ServerTypeLibrary* typeLibrary = nullptr);
// Removes what RegisterServerClasses wrote (the hooks first).
PLATFORM_API HRESULT UnregisterServerClasses(const ServerClass* classes, size_t count,
                                             const ServerTypeLibrary* typeLibrary = nullptr);

// Creates root\keyPath when needed and sets its REG_SZ value (null or empty
// valueName: the default value). For registry hooks.
PLATFORM_API LONG WriteRegistryString(HKEY root, std::u16string_view keyPath, const char16_t* valueName,
                                      std::u16string_view value);

// Defines the four exports of a server from its ServerClass array, with
// its type library (a ServerTypeLibrary pointer, or nullptr).
#define COM_SERVER_EXPORTS_WITH_TYPELIB(classes, typeLibrary)                                    \
  COM_EXPORT HRESULT DllCanUnloadNow() { return ServerLockCount() == 0 ? S_OK : S_FALSE; }       \
  COM_EXPORT HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {              \
    return GetServerClassObject(classes, std::size(classes), rclsid, riid, ppv);                 \
  }                                                                                              \
  COM_EXPORT HRESULT DllRegisterServer() {                                                       \
    return RegisterServerClasses(classes, std::size(classes),                                    \
                                 reinterpret_cast<const void*>(&DllRegisterServer), typeLibrary); \
  }                                                                                              \
  COM_EXPORT HRESULT DllUnregisterServer() {                                                     \
    return UnregisterServerClasses(classes, std::size(classes), typeLibrary);                    \
  }
#define COM_SERVER_EXPORTS(classes) COM_SERVER_EXPORTS_WITH_TYPELIB(classes, nullptr)

// The server's string table, served by LoadStringW for the life of the
// loaded module (module_resources.h).
#define COM_SERVER_STRINGS(strings) \
  namespace {                       \
  const ModuleStringTable kServerStringTable(strings, std::size(strings)); \
  }
