// The word list's store: nodes, words and texts laid one after the other in large blocks.
#include "data/lists.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <type_traits>

namespace {

// Nodes are never destroyed one by one: freeing their blocks is all it takes.
static_assert(std::is_trivially_destructible_v<WordNode>);

// A block when nobody said beforehand how much is coming.
constexpr std::size_t DefaultBlockBytes = 64 * 1024;

// What one word takes at most beyond its units and bytes: the node, two zero ends and the
// alignment of the next node.
constexpr std::size_t WordOverhead = sizeof(WordNode) + alignof(WordNode) + sizeof(std::uint16_t) + 1;

}  // namespace

void* WordPairList::Take(std::size_t size, std::size_t align) {
    std::size_t pad = (align - reinterpret_cast<std::uintptr_t>(free_) % align) % align;
    if (free_ == nullptr || pad + size > left_) {
        const std::size_t bytes = std::max(DefaultBlockBytes, size + align);
        blocks_.emplace_back(new unsigned char[bytes]);
        free_ = blocks_.back().get();
        left_ = bytes;
        pad = (align - reinterpret_cast<std::uintptr_t>(free_) % align) % align;
    }
    unsigned char* at = free_ + pad;
    free_ = at + size;
    left_ -= pad + size;
    return at;
}

void WordPairList::Reserve(std::size_t words, std::size_t units, std::size_t bytes) {
    const std::size_t needed = words * WordOverhead + units * sizeof(std::uint16_t) + bytes;
    if (needed <= left_) return;
    // The rest of the current block is given up; the next word starts in the new one.
    blocks_.emplace_back(new unsigned char[needed]);
    free_ = blocks_.back().get();
    left_ = needed;
}

void WordPairList::Append(const std::uint16_t* word, std::size_t units, const char* text, std::size_t bytes) {
    void* place = Take(sizeof(WordNode), alignof(WordNode));
    auto* wordCopy = static_cast<std::uint16_t*>(Take((units + 1) * sizeof(std::uint16_t), alignof(std::uint16_t)));
    auto* textCopy = static_cast<char*>(Take(bytes + 1, 1));
    if (units > 0) std::memcpy(wordCopy, word, units * sizeof(std::uint16_t));
    wordCopy[units] = 0;
    if (bytes > 0) std::memcpy(textCopy, text, bytes);
    textCopy[bytes] = 0;
    Link(new (place) WordNode{WordPair{WordText(wordCopy, static_cast<std::uint32_t>(units)),
                                       ByteText(textCopy, static_cast<std::uint32_t>(bytes))},
                              nullptr});
}

void WordPairList::Clear() {
    blocks_.clear();
    free_ = nullptr;
    left_ = 0;
    Forget();
}
