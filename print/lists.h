#pragma once
// Small growable arrays of untyped pointers. CLIST holds pointers it may
// release with free(); CLISTOBJ owns COBJ objects and destroys them through
// their virtual destructors. No locking: every call runs on the caller's thread.

class COBJ {
public:
    virtual ~COBJ() = default;
};

class CLIST {
public:
    // Throws std::runtime_error("Chyba LIST") when the array cannot be allocated.
    CLIST(int capacity, int growStep);
    ~CLIST();
    CLIST(const CLIST&) = delete;
    CLIST& operator=(const CLIST&) = delete;

    void Init(int capacity, int growStep);
    // An index below 0 or above the count appends. When the array must grow
    // and cannot, the list keeps its array and capacity and the call throws.
    void InsertAt(void* item, int index);
    // Takes out the first slot holding item; the item itself is not released.
    void Remove(void* item);
    // The item at index, taken out; null for an index outside the list.
    void* RemoveAt(int index);
    // Forgets every item without releasing any.
    void Clear() { count = 0; }
    // Remove, then free(): also a pointer the list did not hold is released.
    virtual void Delete(void* item);
    virtual void DeleteAt(int index);
    virtual void DeleteAll();

    int Capacity() const { return capacity; }
    int GrowStep() const { return growStep; }
    int Count() const { return count; }
    void* Item(int index) const { return items[index]; }
    void** Items() const { return items; }
    // A caller's copy of the array pointer, kept up to date when the array moves.
    void SetAlias(void*** target) { alias = target; }

protected:
    void ReleaseArray();

    int capacity = 0;
    int growStep = 0;
    int count = 0;
    void** items = nullptr;
    void*** alias = nullptr;
};

class CLISTOBJ : public CLIST {
public:
    CLISTOBJ(int capacity, int growStep);
    // Destroys the objects still held through their destructors.
    ~CLISTOBJ();

    void Delete(void* item) override;
    void DeleteAt(int index) override;
    void DeleteAll() override;

    COBJ* Object(int index) const { return objects[index]; }
    COBJ** Objects() const { return objects; }

private:
    COBJ** objects = nullptr;
};
