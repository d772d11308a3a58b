// The one place that says which HKEY_CLASSES_ROOT view the program reads.
//
// The command line and the environment window build a RegistryView from
// their options and install it here; tests install their own with
// ScopedClassesRoot. Without an installation the view is empty, so every
// class lookup simply finds nothing.
#pragma once

#include "platform/registry.h"

namespace qfw {

RegistryView& ClassesRoot();

// Installs a view for its lifetime and restores the previous one after.
class ScopedClassesRoot {
  public:
    explicit ScopedClassesRoot(RegistryView& view);
    ~ScopedClassesRoot();
    ScopedClassesRoot(const ScopedClassesRoot&) = delete;
    ScopedClassesRoot& operator=(const ScopedClassesRoot&) = delete;

  private:
    RegistryView* previous_;
};

}  // namespace qfw
