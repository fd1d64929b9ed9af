#include "skin/data_aware/data_set_operation.h"

#include "dataset/data_link.h"
#include "dataset/data_set.h"

bool DataSetOperationEnabled(TNavigateBtn kind, const TDataLink& link)
{
    const TDataSet* set = link.DataSet();
    if (!link.Active() || !set)
        return false;
    const bool canModify = set->CanModify();
    switch (kind) {
    case TNavigateBtn::nbFirst:
    case TNavigateBtn::nbPrior: return !set->Bof();
    case TNavigateBtn::nbNext:
    case TNavigateBtn::nbLast: return !set->Eof();
    case TNavigateBtn::nbInsert:
    case TNavigateBtn::nbRefresh: return canModify;
    case TNavigateBtn::nbDelete: return canModify && !(set->Bof() && set->Eof());
    case TNavigateBtn::nbEdit: return canModify && !link.Editing();
    case TNavigateBtn::nbPost:
    case TNavigateBtn::nbCancel: return canModify && link.Editing();
    }
    return false;
}

bool RunDataSetOperation(TNavigateBtn kind, TDataSet& set)
{
    switch (kind) {
    // A move whose record could not be read stays put and says why.
    case TNavigateBtn::nbFirst: set.First(); return !set.LastReadFailed();
    case TNavigateBtn::nbPrior: set.Prior(); return !set.LastReadFailed();
    case TNavigateBtn::nbNext: set.Next(); return !set.LastReadFailed();
    case TNavigateBtn::nbLast: set.Last(); return !set.LastReadFailed();
    case TNavigateBtn::nbInsert: return set.Insert();
    case TNavigateBtn::nbDelete: return set.Delete();
    case TNavigateBtn::nbEdit: return set.Edit();
    case TNavigateBtn::nbPost: return set.Post();
    case TNavigateBtn::nbCancel: set.Cancel(); return true;
    case TNavigateBtn::nbRefresh: return set.Refresh();
    }
    return false;
}
