#pragma once
// Root of the field accessors; rows hold accessors through this type.
class IAccessor {
 public:
  virtual ~IAccessor() = default;
};
