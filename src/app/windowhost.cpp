#include "windowhost.h"

TPocketoWindowHost::~TPocketoWindowHost() = default;
