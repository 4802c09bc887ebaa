#include "modelhost/curves/evaluator_arrays.hpp"

#include <string>

#include "host/host_error.hpp"

namespace sledway::model {

void RefuseShortArray(std::string_view query, std::size_t params, std::size_t valuesSize,
                      std::size_t perParam) {
  throw HostError(hresult::kInvalidArg, std::string(query) + ": the result array holds " +
                                            std::to_string(valuesSize) + " numbers where " +
                                            std::to_string(params) + " parameters need " +
                                            std::to_string(params * perParam));
}

}  // namespace sledway::model
