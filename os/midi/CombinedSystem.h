#pragma once
// One System made of several backends: their endpoints side by side (in
// backend order), each under an id of the combination that also names its
// backend, and clients whose ports reach the endpoints of every backend.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "os/midi/System.h"

namespace os::midi {

class CombinedSystem : public System {
 public:
  // At most 15 backends; each backend's ids must stay below 2^28 (an
  // endpoint with a larger id is not shown).
  explicit CombinedSystem(std::vector<std::unique_ptr<System>> backends);
  ~CombinedSystem() override;  // uninstalls itself
  CombinedSystem(const CombinedSystem&) = delete;
  CombinedSystem& operator=(const CombinedSystem&) = delete;

  size_t BackendCount() const { return backends_.size(); }

  size_t SourceCount() override;
  EndpointId Source(size_t index) override;
  size_t DestinationCount() override;
  EndpointId Destination(size_t index) override;
  Status GetProperty(EndpointId endpoint, Property property, std::string* value) override;
  Status CreateClient(const std::string& name, std::unique_ptr<Client>* client) override;
  // Those of every backend together.
  uint64_t LateCycles() override;

  // The backend that owns an id of the combination, and its own id there.
  static bool Split(EndpointId combined, size_t* backend, EndpointId* inner);
  static EndpointId Join(size_t backend, EndpointId inner);

 private:
  std::vector<EndpointId> List(bool sources);

  std::vector<std::shared_ptr<System>> backends_;
};

}  // namespace os::midi
