#pragma once
// A text column of a row-id table read into a case-folded search index on
// a thread of its own, so that a long list is indexed without holding up
// the GUI. The thread reads through a read-only connection that it makes,
// uses and removes itself (with SQLite's own calls: half the CPU per row of
// Qt SQL's); rows come in row-id order in slices of kSliceRows, each slice
// its own statement, so that a writer waits for one slice at most. What is
// read is searchable at once; the rows after it are searched in the
// database (FirstMatchingRowId). The reader sees committed
// rows. Destroying it stops the thread within one slice and joins it.

#include "dataset/search_index.h"
#include "dataset/search_range_scan.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class TSearchIndexReader {
public:
    static constexpr int kSliceRows = 8192;
    static constexpr std::chrono::milliseconds kBusyRetry{20};

    /// GUI thread. Starts reading the first `count` rows of a string
    /// column (a null reads as an empty text) as field `fieldIndex`,
    /// held at `holdAt` rows from the start (see HoldAt).
    TSearchIndexReader(TRowIdTable table, int fieldIndex, int count, int holdAt = -1);
    ~TSearchIndexReader();
    TSearchIndexReader(const TSearchIndexReader&) = delete;
    TSearchIndexReader& operator=(const TSearchIndexReader&) = delete;

    struct Progress {
        int found = -1;                   // the first match among the rows read
        qint64 foundRowId = 0;            // its row id
        int read = 0;                     // rows read so far
        std::optional<qint64> lastRowId;  // the row id of the last of them
        bool done = false;                // every row is read
        QString error;                    // the read failed and stopped
    };
    /// GUI thread. The first row read so far whose text matches `key`
    /// case-folded, and how far the read has come.
    Progress First(QStringView key, bool partial) const;
    /// GUI thread. Hands over the index and every row's row id, in order,
    /// once every row is read.
    bool Take(TSearchIndex& index, std::vector<qint64>& rowIds);
    /// GUI thread. Where a row id is among the rows read so far: true with
    /// `index` its record (-1 when no row has it); false beyond them, with
    /// `reached` how far the read had come at that same moment.
    bool IndexOfRowId(qint64 rowId, int& index, Progress& reached) const;
    /// Tests: the read stops after `rows` rows until this is called again
    /// with more (-1: no limit).
    void HoldAt(int rows);
    /// GUI thread. Stops the read within one slice and waits for its thread.
    void Stop();
    /// Rows read so far.
    int RowsRead() const;

private:
    void Run(const std::stop_token& stop);
    void Fail(const QString& error);

    const TRowIdTable m_table;
    const int m_count;
    mutable std::mutex m_mutex;
    std::condition_variable_any m_released;
    // Guarded by m_mutex:
    TSearchIndex m_index;
    std::vector<qint64> m_rowIds;
    std::optional<qint64> m_lastRowId;
    bool m_done = false;
    QString m_error;
    int m_holdAt;
    std::jthread m_thread;  // last: starts once the rest exists, stops first
};
