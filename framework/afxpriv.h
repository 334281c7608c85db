// What the framework's own files share and its users do not see.
#pragma once

// While one lives, a message is being handled: the temporary window objects
// FromHandle makes live until the outermost one ends.
class AfxDispatchScope {
 public:
  AfxDispatchScope();
  ~AfxDispatchScope();
  AfxDispatchScope(const AfxDispatchScope&) = delete;
  AfxDispatchScope& operator=(const AfxDispatchScope&) = delete;
};
