#include "skin/data_aware/lookup_search.h"

#include <chrono>

std::shared_ptr<LookupSearchStamp> LookupSearchStamp::Shared()
{
    static const std::shared_ptr<LookupSearchStamp> stamp = [] {
        auto s = std::make_shared<LookupSearchStamp>();
        s->now = [] {
            return qint64(std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now().time_since_epoch())
                              .count());
        };
        return s;
    }();
    return stamp;
}
