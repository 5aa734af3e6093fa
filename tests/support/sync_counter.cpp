#include "support/sync_counter.h"

#include <sqlite3.h>

#include <atomic>

namespace testing_support {
namespace {

std::atomic<int> syncs{0};
sqlite3_vfs* base = nullptr;
sqlite3_vfs counting{};

// The base file lies in the same allocation, right behind this one.
struct CountingFile {
    sqlite3_file file;
    sqlite3_file* base;
};

sqlite3_file* Base(sqlite3_file* file) {
    return reinterpret_cast<CountingFile*>(file)->base;
}

template <auto Method>
struct Forward;

template <typename R, typename... Args, R (*sqlite3_io_methods::*Method)(sqlite3_file*, Args...)>
struct Forward<Method> {
    static R Call(sqlite3_file* file, Args... args) {
        sqlite3_file* inner = Base(file);
        return (inner->pMethods->*Method)(inner, args...);
    }
};

int Sync(sqlite3_file* file, int flags) {
    ++syncs;
    return Forward<&sqlite3_io_methods::xSync>::Call(file, flags);
}

const sqlite3_io_methods kMethods = {
    3,
    Forward<&sqlite3_io_methods::xClose>::Call,
    Forward<&sqlite3_io_methods::xRead>::Call,
    Forward<&sqlite3_io_methods::xWrite>::Call,
    Forward<&sqlite3_io_methods::xTruncate>::Call,
    Sync,
    Forward<&sqlite3_io_methods::xFileSize>::Call,
    Forward<&sqlite3_io_methods::xLock>::Call,
    Forward<&sqlite3_io_methods::xUnlock>::Call,
    Forward<&sqlite3_io_methods::xCheckReservedLock>::Call,
    Forward<&sqlite3_io_methods::xFileControl>::Call,
    Forward<&sqlite3_io_methods::xSectorSize>::Call,
    Forward<&sqlite3_io_methods::xDeviceCharacteristics>::Call,
    Forward<&sqlite3_io_methods::xShmMap>::Call,
    Forward<&sqlite3_io_methods::xShmLock>::Call,
    Forward<&sqlite3_io_methods::xShmBarrier>::Call,
    Forward<&sqlite3_io_methods::xShmUnmap>::Call,
    Forward<&sqlite3_io_methods::xFetch>::Call,
    Forward<&sqlite3_io_methods::xUnfetch>::Call,
};

int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    auto* wrapper = reinterpret_cast<CountingFile*>(file);
    wrapper->base = reinterpret_cast<sqlite3_file*>(wrapper + 1);
    const int rc = base->xOpen(base, name, wrapper->base, flags, outFlags);
    // Without base methods there is nothing to close either.
    wrapper->file.pMethods = wrapper->base->pMethods != nullptr ? &kMethods : nullptr;
    return rc;
}

}  // namespace

SyncCounter::SyncCounter() {
    base = sqlite3_vfs_find(nullptr);
    counting = *base;
    counting.szOsFile = static_cast<int>(sizeof(CountingFile)) + base->szOsFile;
    counting.zName = "sync-counting";
    counting.pNext = nullptr;
    counting.xOpen = Open;
    syncs = 0;
    sqlite3_vfs_register(&counting, 1);
}

SyncCounter::~SyncCounter() {
    sqlite3_vfs_unregister(&counting);
}

int SyncCounter::Syncs() const {
    return syncs;
}

}  // namespace testing_support
