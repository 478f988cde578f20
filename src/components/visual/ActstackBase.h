#pragma once

// Base of the undo records: the history owns records through this base and destroys
// them through its virtual destructor.
class ActstackBase
{
public:
    ActstackBase();
    virtual ~ActstackBase();

protected:
    ActstackBase(const ActstackBase&) = default;
    ActstackBase& operator=(const ActstackBase&) = default;
};
