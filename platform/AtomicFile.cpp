// The portable part of the atomic output file: bookkeeping, failure texts, temporary names
// and the space limit of the tests' full disk.
#include "platform/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <random>
#include <system_error>

namespace glyphora {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTemporaryMarker = ".glyphora-";
constexpr std::string_view kTemporarySuffix = ".tmp";
// Long names are cut in the temporary name so that it stays within the usual 255-byte limit.
constexpr std::size_t kMaxStemInTemporaryName = 160;

std::string RandomTag()
{
    static std::mt19937_64 generator = [] {
        std::random_device device;
        std::seed_seq seed{device(), device(),
                           static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())};
        return std::mt19937_64(seed);
    }();
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string tag;
    for (int i = 0; i < 12; ++i)
        tag += kAlphabet[generator() % (sizeof kAlphabet - 1)];
    return tag;
}

} // namespace

fs::path TemporaryPathFor(const fs::path& target)
{
    // Built from the native name, so that no character of it is lost in a conversion.
    auto stem = target.filename().native();
    if (stem.size() > kMaxStemInTemporaryName) stem.resize(kMaxStemInTemporaryName);
    fs::path name(".");
    name += stem;
    name += std::string(kTemporaryMarker) + RandomTag() + std::string(kTemporarySuffix);
    return target.has_parent_path() ? target.parent_path() / name : name;
}

bool IsTemporaryOutputName(const std::string& fileName)
{
    return !fileName.empty() && fileName.front() == '.' && fileName.find(kTemporaryMarker) != std::string::npos &&
           fileName.size() >= kTemporarySuffix.size() &&
           fileName.compare(fileName.size() - kTemporarySuffix.size(), kTemporarySuffix.size(), kTemporarySuffix) == 0;
}

FreeSpaceLimit::FreeSpaceLimit(std::uint64_t bytes) : free_(bytes) {}

std::size_t FreeSpaceLimit::Take(std::size_t wanted)
{
    std::uint64_t free = free_.load();
    for (;;) {
        const std::uint64_t taken = std::min<std::uint64_t>(free, wanted);
        if (free_.compare_exchange_weak(free, free - taken)) return static_cast<std::size_t>(taken);
    }
}

AtomicFile::AtomicFile(fs::path target, Durability durability, FreeSpaceLimit* space)
    : target_(std::move(target)), durability_(durability), space_(space)
{
    open();
}

AtomicFile::AtomicFile(fs::path target, ByNameWriter)
    : target_(std::move(target)), durability_(Durability::Normal), byName_(true)
{
    open();
    // The name is ours now; the writer opens the file again by it.
    std::string message;
    if (open_ && !closeNative(message)) {
        open_ = false;
        removeTemporaryNative();
        fail("create", message);
    }
}

void AtomicFile::open()
{
    std::string message;
    if (target_.empty() || !target_.has_filename()) {
        fail("create", std::generic_category().message(ENOENT));
        return;
    }
    if (!openNative(message)) {
        fail("create", message);
        return;
    }
    open_ = true;
}

AtomicFile::~AtomicFile()
{
    Discard();
}

bool AtomicFile::IsOpen() const
{
    return open_ && !failed_;
}

bool AtomicFile::fail(const char* action, std::string message)
{
    if (!failed_) {
        failed_ = true;
        systemMessage_ = std::move(message);
        errorText_ = std::string("Cannot ") + action + " '" + target_.string() + "': " + systemMessage_;
    }
    return false;
}

bool AtomicFile::put(std::optional<std::uint64_t> offset, std::span<const std::uint8_t> bytes)
{
    if (!IsOpen()) return false;
    if (byName_) return fail("write", std::generic_category().message(EBADF));
    if (bytes.empty()) return true;
    const std::size_t allowed = space_ ? space_->Take(bytes.size()) : bytes.size();
    std::string message;
    if (allowed > 0 && !writeNative(offset, bytes.first(allowed), message)) return fail("write", message);
    if (allowed < bytes.size()) return fail("write", std::generic_category().message(ENOSPC));
    return true;
}

bool AtomicFile::Write(std::span<const std::uint8_t> bytes)
{
    if (!put(temporary_.empty() ? std::nullopt : std::optional<std::uint64_t>(size_), bytes)) return false;
    size_ += bytes.size();
    return true;
}

bool AtomicFile::WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes)
{
    if (temporary_.empty()) return fail("write", std::generic_category().message(ESPIPE));
    if (offset > size_ || bytes.size() > size_ - offset) return fail("write", std::generic_category().message(EINVAL));
    return put(offset, bytes);
}

bool AtomicFile::Commit()
{
    if (!IsOpen()) return false;
    std::string message;
    if (durability_ == Durability::Synced && !flushNative(message)) {
        Discard();
        return fail("write", message);
    }
    open_ = false;
    if (!closeNative(message)) {
        removeTemporaryNative();
        return fail("write", message);
    }
    if (!temporary_.empty() && !replaceNative(message)) {
        removeTemporaryNative();
        return fail("replace", message);
    }
    if (durability_ == Durability::Synced) syncFolderNative();
    committed_ = true;
    return true;
}

void AtomicFile::Discard()
{
    if (open_) {
        std::string ignored;
        open_ = false;
        closeNative(ignored);
    }
    if (!committed_) removeTemporaryNative();
}

void AtomicFile::Raise() const
{
    throw OutputError(errorText_.empty() ? "Cannot write '" + target_.string() + "'." : errorText_);
}

void WriteFileAtomically(const fs::path& target, std::span<const std::uint8_t> bytes, Durability durability,
                         FreeSpaceLimit* space)
{
    AtomicFile file(target, durability, space);
    if (!file.Write(bytes) || !file.Commit()) file.Raise();
}

} // namespace glyphora
