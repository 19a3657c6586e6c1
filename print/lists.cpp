#include "print/lists.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

[[noreturn]] void ListError()
{
    throw std::runtime_error("Chyba LIST");
}

} // namespace

CLIST::CLIST(int capacity, int growStep)
{
    Init(capacity, growStep);
}

CLIST::~CLIST()
{
    CLIST::DeleteAll();
    ReleaseArray();
}

void CLIST::ReleaseArray()
{
    std::free(static_cast<void*>(items));
    items = nullptr;
}

void CLIST::Init(int capacity_, int growStep_)
{
    items = nullptr;
    alias = nullptr;
    capacity = capacity_ > 0 ? capacity_ : 0;
    growStep = growStep_ > 0 ? growStep_ : 1;
    count = 0;
    // calloc(0) may give null; one slot keeps the array valid.
    items = static_cast<void**>(std::calloc(size_t(capacity > 0 ? capacity : 1), sizeof(void*)));
    if (!items)
        ListError();
}

void CLIST::InsertAt(void* item, int index)
{
    if (count >= capacity) {
        if (growStep > INT_MAX - capacity)
            ListError();
        const int grown = capacity + growStep;
        void* moved = std::realloc(static_cast<void*>(items), size_t(grown) * sizeof(void*));
        if (!moved)
            ListError();
        items = static_cast<void**>(moved);
        capacity = grown;
        if (alias)
            *alias = items;
    }
    if (index < 0 || index > count)
        index = count;
    std::memmove(items + index + 1, items + index, size_t(count - index) * sizeof(void*));
    items[index] = item;
    count++;
}

void CLIST::Remove(void* item)
{
    for (int i = 0; i < count; i++)
        if (items[i] == item) {
            RemoveAt(i);
            return;
        }
}

void* CLIST::RemoveAt(int index)
{
    if (index < 0 || index >= count)
        return nullptr;
    void* item = items[index];
    std::memmove(items + index, items + index + 1, size_t(count - index - 1) * sizeof(void*));
    count--;
    return item;
}

void CLIST::Delete(void* item)
{
    Remove(item);
    std::free(item);
}

void CLIST::DeleteAt(int index)
{
    std::free(RemoveAt(index));
}

void CLIST::DeleteAll()
{
    for (int i = 0; i < count; i++) {
        std::free(items[i]);
        items[i] = nullptr;
    }
    count = 0;
}

CLISTOBJ::CLISTOBJ(int capacity, int growStep)
    : CLIST(capacity, growStep)
{
    alias = reinterpret_cast<void***>(&objects);
    objects = reinterpret_cast<COBJ**>(items);
}

CLISTOBJ::~CLISTOBJ()
{
    // The base's destructor would free() what is left without destructors.
    DeleteAll();
}

void CLISTOBJ::Delete(void* item)
{
    Remove(item);
    delete static_cast<COBJ*>(item);
}

void CLISTOBJ::DeleteAt(int index)
{
    delete static_cast<COBJ*>(RemoveAt(index));
}

void CLISTOBJ::DeleteAll()
{
    for (int i = 0; i < count; i++) {
        delete static_cast<COBJ*>(items[i]);
        items[i] = nullptr;
    }
    count = 0;
}
