// The codes keep the numbers they stand for and do not mix with each other or with
// plain integers: checked when this file compiles.
#include <concepts>
#include <cstdint>
#include <type_traits>

#include "model/argument.h"
#include "model/dialectical_argument.h"

namespace korvane {
namespace {

template <typename E>
constexpr bool kOneByte = std::is_same_v<std::underlying_type_t<E>, std::uint8_t>;
static_assert(kOneByte<TStatementType> && kOneByte<TStatus> && kOneByte<TWarrantStatus> && kOneByte<TConnectionKind>);

static_assert(Code(kAssumption) == 0 && Code(kIssue) == 1);
static_assert(Code(kJustified) == 0 && Code(kUnjustified) == 1 && Code(kUnevaluated) == 2);
static_assert(Code(kWarrantHolds) == 0 && Code(kWarrantFails) == 1);
static_assert(Code(kSupporting) == 0 && Code(kDefeating) == 1);

// The fields take only their own code.
static_assert(std::is_same_v<decltype(TStatement::StatementType), TStatementType>);
static_assert(std::is_same_v<decltype(TStatement::Status), TStatus>);
static_assert(std::is_same_v<decltype(TDialecticalArgument::Status), TStatus>);
static_assert(std::is_same_v<decltype(TArgument::DefeatStatus), TStatus>);
static_assert(std::is_same_v<decltype(TStep::WarrantStatus), TWarrantStatus>);
static_assert(std::is_same_v<decltype(TUndercutter::WarrantStatus), TWarrantStatus>);
static_assert(std::is_same_v<decltype(TStep::ConnectionKind), TConnectionKind>);
static_assert(std::is_same_v<decltype(TReasonConclusion::ConnectionKind), TConnectionKind>);

// A status is not a warrant status nor a type, though the numbers agree.
static_assert(!std::equality_comparable_with<TStatus, TWarrantStatus>);
static_assert(!std::equality_comparable_with<TStatus, TStatementType>);
static_assert(!std::equality_comparable_with<TConnectionKind, TStatementType>);
static_assert(!std::is_assignable_v<TStatus&, TWarrantStatus>);
static_assert(!std::is_assignable_v<TStatus&, int>);
static_assert(!std::is_assignable_v<TStatementType&, std::uint8_t>);
static_assert(!std::is_convertible_v<TConnectionKind, int>);

}  // namespace
}  // namespace korvane
