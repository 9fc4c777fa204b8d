#include "document/disk_state.h"

#include "document/file_io.h"
#include "document/file_name.h"

#include <QHash>

#include <sys/stat.h>

namespace {

// Blocks of this size are hashed where they lie; only one that straddles
// two pieces is copied first.
constexpr qsizetype kBlock = 1 << 20;
constexpr quint64 kSeed = 0x6d61726b6c6574; // any value but 0, which selects a slower hash

FileIdentity from_stat(const struct stat& info) {
    return {true, quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
            qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

} // namespace

FileIdentity identity_at(const QString& path) {
    struct stat info;
    if (path.isEmpty() || ::stat(native_path(path).constData(), &info) != 0)
        return {};
    return from_stat(info);
}

FileIdentity identity_of_descriptor(int fd) {
    struct stat info;
    return ::fstat(fd, &info) == 0 ? from_stat(info) : FileIdentity();
}

ContentHash::ContentHash() : state_(kSeed) {}

ContentHash::ContentHash(std::initializer_list<QByteArrayView> pieces) : ContentHash() {
    for (const QByteArrayView piece : pieces)
        add(piece);
}

void ContentHash::mix(QByteArrayView block) {
    state_ = qHashBits(block.data(), size_t(block.size()), size_t(state_ | 1));
}

void ContentHash::add(QByteArrayView bytes) {
    total_ += bytes.size();
    if (!block_.isEmpty()) {
        const qsizetype taken = std::min(bytes.size(), kBlock - block_.size());
        block_.append(bytes.first(taken));
        bytes = bytes.sliced(taken);
        if (block_.size() < kBlock)
            return;
        mix(block_);
        block_.clear();
    }
    while (bytes.size() >= kBlock) {
        mix(bytes.first(kBlock));
        bytes = bytes.sliced(kBlock);
    }
    block_.append(bytes);
}

quint64 ContentHash::result() const {
    return qHashMulti(size_t(state_), block_, total_);
}

void DiskState::set(const QString& path, const FileIdentity& identity, quint64 hash) {
    path_ = path;
    known_ = seen_ = identity;
    hash_ = hash;
    differing_ = {};
}

void DiskState::forget() {
    *this = DiskState();
}

DiskChange DiskState::check() {
    if (path_.isEmpty())
        return DiskChange::None;
    seen_ = identity_at(path_);
    if (!seen_.exists)
        return DiskChange::Removed;
    if (seen_ == known_)
        return DiskChange::None;
    if (seen_ != differing_) {
        // Changed as the system tells it: the content decides.
        const ReadResult read = read_whole_file(path_);
        differing_ = seen_;
        differing_content_ = !read.ok() || ContentHash{read.bytes}.result() != hash_;
        if (!differing_content_) {
            known_ = seen_;
            return DiskChange::None;
        }
    }
    return differing_content_ ? DiskChange::Modified : DiskChange::None;
}
