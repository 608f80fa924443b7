#include "shelves.h"

#include "ShopRandom.h"

namespace shop {

namespace {

const QString OnShelf = QStringLiteral("0");
const QString Out = QStringLiteral("1");
const QString SaleCode = QStringLiteral("4");

} // namespace

int Shelves::add(const ItemRec& item, const ItemRateRec& rates) {
    const int index = int(m_copies.size());
    m_copies.append({item, rates});
    m_slot.append(-1);
    m_byItem.insert(item.ItemID, index);
    if (item.Status == SaleCode)
        m_saleCodes.append(index);
    if (item.Status == OnShelf)
        place(index);
    return index;
}

Shelves::Shelf& Shelves::shelfOf(const QString& category) {
    for (Shelf& s : m_shelves) {
        if (s.category == category)
            return s;
    }
    m_shelves.append({category, {}});
    return m_shelves.last();
}

void Shelves::place(int index) {
    Shelf& shelf = shelfOf(m_copies.at(index).rates.CategoryID);
    m_slot[index] = int(shelf.copies.size());
    shelf.copies.push_back(index);
}

// The last copy on the shelf takes the place of the one lifted.
void Shelves::lift(int index) {
    Shelf& shelf = shelfOf(m_copies.at(index).rates.CategoryID);
    const int slot = m_slot.at(index);
    const int last = shelf.copies.back();
    shelf.copies[slot] = last;
    m_slot[last] = slot;
    shelf.copies.pop_back();
    m_slot[index] = -1;
}

int Shelves::pick(const QString& category, ShopRandom& random) const {
    for (const Shelf& s : m_shelves) {
        if (s.category == category && !s.copies.empty())
            return s.copies.at(random.below(int(s.copies.size())));
    }
    return pickAny(random);
}

int Shelves::pickAny(ShopRandom& random) const {
    qsizetype total = 0;
    for (const Shelf& s : m_shelves)
        total += qsizetype(s.copies.size());
    if (total == 0)
        return -1;
    qsizetype n = random.below(int(total));
    for (const Shelf& s : m_shelves) {
        if (n < qsizetype(s.copies.size()))
            return s.copies.at(n);
        n -= qsizetype(s.copies.size());
    }
    Q_UNREACHABLE();
}

void Shelves::setStatus(int index, const QString& status, const QDateTime& at) {
    ItemRec& item = m_copies[index].item;
    item.Status = status;
    item.ModDate = at;
}

void Shelves::takeOut(int index, const QDateTime& at) {
    lift(index);
    setStatus(index, Out, at);
}

void Shelves::putBack(int index, const QDateTime& at) {
    setStatus(index, OnShelf, at);
    place(index);
}

bool Shelves::retireOne(const QString& status, const QDateTime& at, ShopRandom& random) {
    const int index = pickAny(random);
    if (index < 0)
        return false;
    lift(index);
    setStatus(index, status, at);
    return true;
}

bool Shelves::changed(int index) const {
    const ItemRec& item = m_copies.at(index).item;
    return item.ModDate != item.InDate;
}

} // namespace shop
