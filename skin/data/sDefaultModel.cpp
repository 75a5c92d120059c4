#include "skin/data/sDefaultModel.h"

namespace {

TDefaultModelLookup defaultLookup = nullptr;

}  // namespace

void SetDefaultModelLookup(TDefaultModelLookup lookup) {
  defaultLookup = lookup;
}

const TsSkinModel* ResolveManager(const TsSkinModel* own) {
  if (own) return own;
  return defaultLookup ? defaultLookup() : nullptr;
}
