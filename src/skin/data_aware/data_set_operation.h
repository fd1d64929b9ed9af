#pragma once
// The ten operations on a data set that the navigator's buttons and the
// data-set actions offer, and when each can run. GUI thread.

#include <cstdint>

class TDataLink;
class TDataSet;

enum class TNavigateBtn : std::uint8_t {
    nbFirst = 0, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh
};
inline constexpr int kNavButtonCount = 10;

/// With the link active: first and prior when not at the beginning, next
/// and last when not at the end; insert and refresh when the data set can
/// be modified, delete when it also holds a record; edit when it is not
/// being edited, post and cancel when it is. Nothing while inactive.
bool DataSetOperationEnabled(TNavigateBtn kind, const TDataLink& link);

/// Runs the operation (a delete without asking); false when it failed or a
/// move could not read its record (the data set's LastError says why).
bool RunDataSetOperation(TNavigateBtn kind, TDataSet& set);
