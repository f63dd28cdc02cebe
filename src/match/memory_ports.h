// Ports that only remember what they were told: the timer switch here, the menu's check marks
// and the record panel's state in ui/memory_surface_ports.h. The scripted player uses them as they
// are; tests extend them.
#pragma once

#include "match/ports.h"
#include "ui/memory_surface_ports.h"

namespace velk {

class MemoryTimer : public Timer {
  public:
    bool enabled = false;
    void setEnabled(bool e) override { enabled = e; }
    bool isEnabled() const override { return enabled; }
};

}  // namespace velk
