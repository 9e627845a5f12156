// The running program as the component sees it: its file name, or the
// current project's file name while the component runs inside the
// development environment.
#pragma once

#include <functional>
#include <string>

#include "engine/shared_routines.h"

namespace trx {

// The development environment's tool services: present only while the
// component runs inside the environment, where they give the current
// project's file name. An empty function means the component runs in an
// ordinary program.
using TProjectFileNameSource = std::function<std::string()>;
void SetIDEServices(TProjectFileNameSource ProjectFileName);

// Installs tool services for its lifetime (the environment as a test sees it).
class TIDEServicesOverride {
public:
    explicit TIDEServicesOverride(TProjectFileNameSource ProjectFileName);
    ~TIDEServicesOverride();
    TIDEServicesOverride(const TIDEServicesOverride&) = delete;
    TIDEServicesOverride& operator=(const TIDEServicesOverride&) = delete;

private:
    TProjectFileNameSource previous_;
};

} // namespace trx
