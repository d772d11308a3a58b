#include "platform/classes_root.h"

namespace qfw {

namespace {

RegistryView*& Installed() {
    static RegistryView empty;
    static RegistryView* current = &empty;
    return current;
}

}  // namespace

RegistryView& ClassesRoot() {
    return *Installed();
}

ScopedClassesRoot::ScopedClassesRoot(RegistryView& view) : previous_(Installed()) {
    Installed() = &view;
}

ScopedClassesRoot::~ScopedClassesRoot() {
    Installed() = previous_;
}

}  // namespace qfw
