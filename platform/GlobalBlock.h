#pragma once

#include <cstddef>
#include <cstdint>

// A movable, zero-filled global memory block (GlobalAlloc with GMEM_MOVEABLE |
// GMEM_ZEROINIT). The handle owns the block: it is move-only and frees the
// block when it goes out of scope, so no path can leak one. The bytes are
// reached only between Lock() and Unlock(), one operation at a time.
class GlobalBlock {
public:
    GlobalBlock() = default;
    ~GlobalBlock() { Free(); }
    GlobalBlock(GlobalBlock&& other) noexcept;
    GlobalBlock& operator=(GlobalBlock&& other) noexcept;
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;

    // An empty handle when the memory cannot be had.
    static GlobalBlock Alloc(std::size_t size);

    explicit operator bool() const { return m_pData != nullptr; }
    // GlobalSize: the allocated size, 0 for an empty handle.
    std::size_t Size() const { return m_nSize; }
    // GlobalLock: the first byte, or nullptr for an empty handle.
    std::uint8_t* Lock();
    // GlobalUnlock: true while the block is still locked by another caller.
    bool Unlock();
    int LockCount() const { return m_nLocks; }
    void Free();

    // Tests make allocations above this size fail, as a full memory would.
    static void SetAllocationLimit(std::size_t limit);

private:
    std::uint8_t* m_pData = nullptr;
    std::size_t m_nSize = 0;
    int m_nLocks = 0;
};

// Holds a lock for one operation.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(GlobalBlock& block) : m_block(block), m_pData(block.Lock()) {}
    ~GlobalLockGuard() {
        if (m_pData)
            m_block.Unlock();
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    std::uint8_t* Data() const { return m_pData; }
    std::size_t Size() const { return m_block.Size(); }

private:
    GlobalBlock& m_block;
    std::uint8_t* m_pData;
};
