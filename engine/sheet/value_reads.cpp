#include "engine/sheet/value_reads.h"

namespace kalvex::engine {
namespace {

// The document model's property readers, for a name the typed views spell the same in
// every version.
class ModelReader : public ereport::Element {
  public:
    using Element::Element;
    using Element::readBoolean;
    using Element::readInteger;
    using Element::readText;
};

}  // namespace

std::string TypedReads::text(const ereport::Element& e, std::string_view name) {
    return ModelReader(e.node()).readText(name);
}

bool TypedReads::flag(const ereport::Element& e, std::string_view name) {
    return ModelReader(e.node()).readBoolean(name);
}

std::int32_t TypedReads::integer(const ereport::Element& e, std::string_view name) {
    return ModelReader(e.node()).readInteger(name);
}

}  // namespace kalvex::engine
