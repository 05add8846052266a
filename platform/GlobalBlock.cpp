#include "GlobalBlock.h"

#include "TestSeam.h"

#include <cstdlib>
#include <limits>
#include <utility>

namespace {
std::size_t g_allocationLimit = std::numeric_limits<std::size_t>::max();
[[maybe_unused]] const bool g_switch = testseam::Register(g_allocationLimit);
} // namespace

GlobalBlock::GlobalBlock(GlobalBlock&& other) noexcept
    : m_pData(std::exchange(other.m_pData, nullptr)), m_nSize(std::exchange(other.m_nSize, 0)),
      m_nLocks(std::exchange(other.m_nLocks, 0)) {}

GlobalBlock& GlobalBlock::operator=(GlobalBlock&& other) noexcept {
    if (this != &other) {
        Free();
        m_pData = std::exchange(other.m_pData, nullptr);
        m_nSize = std::exchange(other.m_nSize, 0);
        m_nLocks = std::exchange(other.m_nLocks, 0);
    }
    return *this;
}

GlobalBlock GlobalBlock::Alloc(std::size_t size) {
    GlobalBlock block;
    if (size > g_allocationLimit)
        return block;
    // A zero-byte request still yields a valid block, as GlobalAlloc does.
    void* p = std::calloc(size == 0 ? 1 : size, 1);
    if (!p)
        return block;
    block.m_pData = static_cast<std::uint8_t*>(p);
    block.m_nSize = size;
    return block;
}

std::uint8_t* GlobalBlock::Lock() {
    if (!m_pData)
        return nullptr;
    ++m_nLocks;
    return m_pData;
}

bool GlobalBlock::Unlock() {
    if (m_nLocks > 0)
        --m_nLocks;
    return m_nLocks > 0;
}

void GlobalBlock::Free() {
    std::free(m_pData);
    m_pData = nullptr;
    m_nSize = 0;
    m_nLocks = 0;
}

void GlobalBlock::SetAllocationLimit(std::size_t limit) {
    g_allocationLimit = limit;
}
