#pragma once
// The busy cursor for the length of a scope; nested scopes stack, and every way out of the
// scope (also an exception) takes the cursor back.

namespace tessora {

class BusyCursor {
  public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace tessora
