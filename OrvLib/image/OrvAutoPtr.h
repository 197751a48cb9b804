// Owning pointers for scratch memory held for the length of one operation, so that an
// exception (allocation failure above all) frees rows, headers and masks on the way out.
#pragma once

#include <cstddef>

#include "OrvLib/image/OrvBitmapTypes.h"

// How an owned object goes away. Headers are variable-length raw blocks, so they are freed
// as blocks, never by the delete of their declared type.
template <typename T>
struct OrvOwnedDelete {
    static void One(T* p) { delete p; }
    static void Many(T* p) { delete[] p; }
};
template <>
struct OrvOwnedDelete<OrvBitmapInfo> {
    static void One(OrvBitmapInfo* p) { OrvFreeBlock(p); }
    static void Many(OrvBitmapInfo* p) { OrvFreeBlock(p); }
};
template <>
struct OrvOwnedDelete<OrvBitmapCoreInfo> {
    static void One(OrvBitmapCoreInfo* p) { OrvFreeBlock(p); }
    static void Many(OrvBitmapCoreInfo* p) { OrvFreeBlock(p); }
};

template <typename T>
class OrvAutoPtr {
public:
    explicit OrvAutoPtr(T* p = nullptr) : ptr(p) {}
    virtual ~OrvAutoPtr() { OrvOwnedDelete<T>::One(ptr); }
    OrvAutoPtr(const OrvAutoPtr&) = delete;
    OrvAutoPtr& operator=(const OrvAutoPtr&) = delete;

    // Deletes what is held and holds nothing.
    virtual void Reset() {
        OrvOwnedDelete<T>::One(ptr);
        ptr = nullptr;
    }
    // Deletes what is held and holds p.
    void Reset(T* p) {
        if (p == ptr) return;
        Reset();
        ptr = p;
    }
    // Gives up ownership without deleting.
    T* Release() {
        T* p = ptr;
        ptr = nullptr;
        return p;
    }
    T* Get() const { return ptr; }
    T* operator->() const { return ptr; }
    T& operator*() const { return *ptr; }
    explicit operator bool() const { return ptr != nullptr; }

protected:
    T* ptr;
};

template <typename T>
class OrvAutoArrayPtr : public OrvAutoPtr<T> {
public:
    explicit OrvAutoArrayPtr(T* p = nullptr) : OrvAutoPtr<T>(p) {}
    // Frees the array here, so the base destructor finds nothing left to delete.
    ~OrvAutoArrayPtr() override { Reset(); }

    void Reset() override {
        OrvOwnedDelete<T>::Many(this->ptr);
        this->ptr = nullptr;
    }
    void Reset(T* p) {
        if (p == this->ptr) return;
        Reset();
        this->ptr = p;
    }
    T& operator[](std::ptrdiff_t i) const { return this->ptr[i]; }
};
