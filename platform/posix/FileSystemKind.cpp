// The kind of a folder's file system on Linux: statfs names the file system's type by its
// magic number. devtmpfs is the one pseudo file system that reports the magic of an ordinary
// one (it is tmpfs inside), so for a tmpfs or ramfs folder the kernel's mount table says
// which mount type holds the folder's device. Other POSIX systems answer Ordinary.
#include "platform/FileSystemKind.h"

#ifdef __linux__
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#endif

namespace glyphora {

#ifdef __linux__

namespace {

// Magic numbers the kernel headers do not carry.
constexpr std::uint64_t kConfigFsMagic = 0x62656570;
constexpr std::uint64_t kMqueueMagic = 0x19800202;
constexpr std::uint64_t kFuseControlMagic = 0x65735543;

constexpr std::uint64_t kPseudoMagics[] = {
    PROC_SUPER_MAGIC,     SYSFS_MAGIC,          DEVPTS_SUPER_MAGIC,   CGROUP_SUPER_MAGIC,    CGROUP2_SUPER_MAGIC,
    DEBUGFS_MAGIC,        TRACEFS_MAGIC,        SECURITYFS_MAGIC,     SELINUX_MAGIC,         SMACK_MAGIC,
    PSTOREFS_MAGIC,       EFIVARFS_MAGIC,       BINFMTFS_MAGIC,       BPF_FS_MAGIC,          NSFS_MAGIC,
    BINDERFS_SUPER_MAGIC, RDTGROUP_SUPER_MAGIC, OPENPROM_SUPER_MAGIC, USBDEVICE_SUPER_MAGIC, AAFS_MAGIC,
    XENFS_SUPER_MAGIC,    kConfigFsMagic,       kMqueueMagic,         kFuseControlMagic,
};

// The devices the mount table shows, and those of them that are devtmpfs. devtmpfs has one
// device for the whole run of the system, so what was once seen stays true; a device the
// last reading did not show (a new mount) leads to reading the table again.
class DeviceMountTypes {
public:
    bool IsDevtmpfs(dev_t device)
    {
        const std::lock_guard lock(mutex_);
        if (!seen_.contains(device)) Read();
        return devtmpfs_.contains(device);
    }

private:
    void Read()
    {
        seen_.clear();
        std::ifstream table("/proc/self/mountinfo");
        std::string line;
        while (std::getline(table, line)) {
            // "id parent major:minor root mount-point options [optional...] - type source options"
            std::istringstream fields(line);
            std::string id, parent, numbers, word;
            if (!(fields >> id >> parent >> numbers)) continue;
            while (fields >> word && word != "-") {}
            std::string type;
            if (!(fields >> type)) continue;
            unsigned major = 0, minor = 0;
            char colon = 0;
            std::istringstream pair(numbers);
            if (!(pair >> major >> colon >> minor) || colon != ':') continue;
            const dev_t device = makedev(major, minor);
            seen_.insert(device);
            if (type == "devtmpfs") devtmpfs_.insert(device);
        }
    }

    std::mutex mutex_;
    std::set<dev_t> seen_;
    std::set<dev_t> devtmpfs_;
};

bool IsDevtmpfs(const std::filesystem::path& folder)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) return false;
    static DeviceMountTypes types;
    return types.IsDevtmpfs(info.st_dev);
}

} // namespace

FileSystemKind FileSystemKindOf(const std::filesystem::path& folder)
{
    struct statfs info {};
    if (::statfs(folder.c_str(), &info) != 0) return FileSystemKind::Ordinary;
    const auto magic = static_cast<std::uint64_t>(static_cast<std::uint32_t>(info.f_type));
    if (std::find(std::begin(kPseudoMagics), std::end(kPseudoMagics), magic) != std::end(kPseudoMagics))
        return FileSystemKind::Pseudo;
    if ((magic == TMPFS_MAGIC || magic == RAMFS_MAGIC) && IsDevtmpfs(folder)) return FileSystemKind::Pseudo;
    return FileSystemKind::Ordinary;
}

#else

FileSystemKind FileSystemKindOf(const std::filesystem::path&)
{
    return FileSystemKind::Ordinary;
}

#endif

} // namespace glyphora
