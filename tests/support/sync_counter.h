#pragma once
// Counts the syncs that SQLite asks of the file system (the costly part of a commit):
// a file system over the default one, made the default while a SyncCounter lives, so
// that every connection opened meanwhile goes through it.

namespace testing_support {

class SyncCounter {
public:
    SyncCounter();
    ~SyncCounter();
    SyncCounter(const SyncCounter&) = delete;
    SyncCounter& operator=(const SyncCounter&) = delete;

    // Syncs of every file of every connection opened through it, so far.
    int Syncs() const;
};

}  // namespace testing_support
