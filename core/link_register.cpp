#include "core/link_register.h"

namespace tarnwick {

bool LinkRegister::firstSight(const platform::FileIdentity& file) {
  Shard& shard = shards_[Hash()(file) % shards_.size()];
  std::lock_guard lock(shard.mutex);
  return shard.seen.insert(file).second;
}

}  // namespace tarnwick
