// The word list's store: the word file as read, and nodes laid one after the other in large blocks.
#include "data/lists.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <iterator>
#include <new>
#include <string>
#include <type_traits>

#include "data/scramble.h"

namespace {

// Nodes are never destroyed one by one: freeing their blocks is all it takes.
static_assert(std::is_trivially_destructible_v<WordNode>);

// A block when nobody said beforehand how much is coming.
constexpr std::size_t DefaultBlockBytes = 64 * 1024;

// Fills a buffer of units by 'unit' and makes the string of them; words and texts are short, so
// the buffer is usually on the stack.
template <typename UnitAt>
WideString MakeWide(std::size_t length, UnitAt unit) {
    std::uint16_t local[256];
    std::vector<std::uint16_t> large;
    std::uint16_t* units = local;
    if (length > std::size(local)) {
        large.resize(length);
        units = large.data();
    }
    for (std::size_t i = 0; i < length; ++i) units[i] = unit(i);
    return WideString(units, length);
}

}  // namespace

WordText::operator WideString() const {
    return MakeWide(length_, [this](std::size_t i) { return (*this)[i]; });
}

std::uint16_t ByteText::operator[](std::size_t i) const {
    return ScrambleByte(static_cast<unsigned char>(hidden_[i]));
}

ByteText::operator WideString() const {
    return MakeWide(length_, [this](std::size_t i) { return (*this)[i]; });
}

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

void WordPairList::Reserve(std::size_t words) {
    const std::size_t needed = words * sizeof(WordNode) + alignof(WordNode);
    if (needed <= left_) return;
    // The rest of the current block is given up; the next node starts in the new one.
    blocks_.emplace_back(new unsigned char[needed]);
    free_ = blocks_.back().get();
    left_ = needed;
}

FileBytes& WordPairList::Keep(FileBytes&& file) {
    kept_.push_back(std::move(file));
    return kept_.back();
}

void WordPairList::AppendKept(std::uint8_t* record, std::size_t units, std::size_t bytes) {
    // A word cut short at a zero unit has its text moved up behind what is left of it; the record
    // only shrinks, so the file's next record is untouched.
    const std::size_t fileUnits = record[0];
    std::uint8_t* textLength = record + 1 + 2 * units;
    if (units != fileUnits) std::memmove(textLength + 1, record + 2 + 2 * fileUnits, bytes);
    record[0] = static_cast<std::uint8_t>(units);
    textLength[0] = static_cast<std::uint8_t>(bytes);
    Link(new (Take(sizeof(WordNode), alignof(WordNode))) WordNode{record, nullptr});
}

void WordPairList::Append(const std::uint16_t* word, std::size_t units, const char* text, std::size_t bytes) {
    // A record as the word file lays it out.
    auto* record = static_cast<std::uint8_t*>(Take(2 + 2 * units + bytes, 1));
    record[0] = static_cast<std::uint8_t>(units);
    for (std::size_t i = 0; i < units; ++i) {
        record[1 + 2 * i] = static_cast<std::uint8_t>(word[i] & 0xFF);
        record[2 + 2 * i] = static_cast<std::uint8_t>(word[i] >> 8);
    }
    record[1 + 2 * units] = static_cast<std::uint8_t>(bytes);
    char* textCopy = reinterpret_cast<char*>(record + 2 + 2 * units);
    if (bytes > 0) std::memcpy(textCopy, text, bytes);
    ScrambleBytes(textCopy, bytes);
    AppendKept(record, units, bytes);
}

void WordPairList::Clear() {
    blocks_.clear();
    kept_.clear();
    free_ = nullptr;
    left_ = 0;
    first_.clear();
    words_.clear();
    indexed_ = -1;
    walked_.clear();
    walkedAt_ = -1;
    Forget();
}

void WordPairList::TakeFrom(WordPairList& other) {
    // Whatever this list held would be lost without being freed.
    assert(count == 0 && kept_.empty() && blocks_.empty());
    // The nodes and records stay where they are: only the owners of their memory change hands.
    kept_ = std::move(other.kept_);
    blocks_ = std::move(other.blocks_);
    free_ = other.free_;
    left_ = other.left_;
    first_ = std::move(other.first_);
    words_ = std::move(other.words_);
    indexed_ = other.indexed_;
    walked_ = std::move(other.walked_);
    walkedAt_ = other.walkedAt_;
    head = other.head;
    tail = other.tail;
    cursor = other.cursor;
    count = other.count;
    other.kept_.clear();
    other.blocks_.clear();
    other.Clear();
}

namespace {

// The distinct units of a word, in their order: a word counts once for each character it holds.
std::size_t DistinctUnits(const WordText& word, std::vector<std::uint16_t>& units) {
    if (units.size() < word.length()) units.resize(word.length());
    std::size_t n = 0;
    for (std::size_t i = 0; i < word.length(); ++i) {
        const std::uint16_t unit = word[i];
        std::size_t k = 0;
        while (k < n && units[k] != unit) ++k;
        if (k == n) units[n++] = unit;
    }
    return n;
}

}  // namespace

void WordPairList::BuildIndex() {
    std::vector<std::uint16_t> units(256);
    first_.assign(65536 + 1, 0);
    for (const WordNode* node = head; node != nullptr; node = node->next) {
        const std::size_t n = DistinctUnits(node->Word(), units);
        for (std::size_t k = 0; k < n; ++k) ++first_[units[k] + 1];
    }
    for (std::size_t c = 1; c < first_.size(); ++c) first_[c] += first_[c - 1];
    words_.assign(first_.back(), nullptr);
    std::vector<std::uint32_t> next(first_.begin(), first_.end() - 1);
    for (const WordNode* node = head; node != nullptr; node = node->next) {
        const std::size_t n = DistinctUnits(node->Word(), units);
        for (std::size_t k = 0; k < n; ++k) words_[next[units[k]]++] = node;
    }
    indexed_ = count;
}

std::span<const WordNode* const> WordPairList::Holding(std::uint16_t code) {
    if (indexed_ != count && walkedAt_ != count) {
        walkedAt_ = count;
        walked_.clear();
        for (const WordNode* node = head; node != nullptr; node = node->next)
            for (std::size_t i = 0; i < node->Word().length(); ++i)
                if (node->Word()[i] == code) {
                    walked_.push_back(node);
                    break;
                }
        return walked_;
    }
    if (indexed_ != count) BuildIndex();
    return std::span<const WordNode* const>(words_.data() + first_[code], first_[code + 1] - first_[code]);
}
