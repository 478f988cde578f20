#include "components/visual/ActstackBase.h"

ActstackBase::ActstackBase() = default;

ActstackBase::~ActstackBase() = default;
