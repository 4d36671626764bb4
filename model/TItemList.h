#pragma once
// The owning, ordered lists of the model (items, templates, choices) and the interface through
// which the main window deletes and moves entries of any of them with one routine.

#include <memory>
#include <utility>
#include <vector>

class TItemListBase {
public:
    virtual ~TItemListBase() = default;
    virtual void Delete(int index) = 0;
    virtual int GetCount() const = 0;
    virtual bool MoveUp(int index) = 0;
    virtual bool MoveDown(int index) = 0;
    virtual void Clear() = 0;
};

template <typename T>
class TItemList : public TItemListBase {
public:
    TItemList() = default;
    TItemList(const TItemList&) = delete;
    TItemList& operator=(const TItemList&) = delete;
    ~TItemList() override { Clear(); }

    void Delete(int index) override { FItems.erase(FItems.begin() + index); }
    int GetCount() const override { return static_cast<int>(FItems.size()); }
    // The index is taken as unsigned, so -1 (nothing selected) moves nothing.
    bool MoveUp(int index) override {
        const auto i = static_cast<unsigned>(index);
        if (i == 0 || i >= FItems.size())
            return false;
        std::swap(FItems[i - 1], FItems[i]);
        return true;
    }
    bool MoveDown(int index) override {
        const auto i = static_cast<unsigned>(index);
        if (i + 1 >= FItems.size() || i + 1 == 0)
            return false;
        std::swap(FItems[i], FItems[i + 1]);
        return true;
    }
    void Clear() override { FItems.clear(); }

    void Add(std::unique_ptr<T> entry) { FItems.push_back(std::move(entry)); }
    T* Get(int index) const { return FItems.at(static_cast<size_t>(index)).get(); }
    // Destroys the entry at `index` and stores `entry` in its place.
    void Replace(int index, std::unique_ptr<T> entry) {
        FItems.at(static_cast<size_t>(index)) = std::move(entry);
    }

private:
    std::vector<std::unique_ptr<T>> FItems;
};
