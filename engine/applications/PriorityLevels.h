// An ordered list of (item, value) pairs in which equal values form one
// level; levels are numbered from the lowest value on.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace orven::applications {

template <class Item>
class PriorityLevels {
  public:
    // Inserts after every pair whose value is lower than or equal to the new
    // one; false when the item is already listed. Values are exact: priority
    // numbers of any size keep their own levels.
    bool insert(Item item, double value) {
        for (const auto& p : pairs_) {
            if (p.first == item)
                return false;
        }
        std::size_t at = 0;
        while (at < pairs_.size() && pairs_[at].second <= value)
            ++at;
        pairs_.insert(pairs_.begin() + static_cast<std::ptrdiff_t>(at), {item, value});
        return true;
    }

    std::size_t size() const { return pairs_.size(); }

    std::size_t levelCount() const {
        std::size_t n = 0;
        for (std::size_t i = 0; i < pairs_.size(); ++i) {
            if (i == 0 || pairs_[i].second != pairs_[i - 1].second)
                ++n;
        }
        return n;
    }

    // The items of level k in list order; empty for a level that does not
    // exist.
    std::vector<Item> itemsOfLevel(std::size_t k) const {
        std::vector<Item> items;
        std::size_t level = 0;
        for (std::size_t i = 0; i < pairs_.size(); ++i) {
            if (i > 0 && pairs_[i].second != pairs_[i - 1].second)
                ++level;
            if (level == k)
                items.push_back(pairs_[i].first);
            else if (level > k)
                break;
        }
        return items;
    }

    // The level of an item, -1 when it is not listed.
    int levelOf(const Item& item) const {
        int level = 0;
        for (std::size_t i = 0; i < pairs_.size(); ++i) {
            if (i > 0 && pairs_[i].second != pairs_[i - 1].second)
                ++level;
            if (pairs_[i].first == item)
                return level;
        }
        return -1;
    }

  private:
    std::vector<std::pair<Item, double>> pairs_;
};

}  // namespace orven::applications
