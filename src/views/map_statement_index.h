// The statements of a line's stages by object, and what tells the few that could be a
// connection's stated warrant, kept from stage to stage: a line's stages share one
// buffer of statements and only append to it, so a later stage indexes only what is new.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/reason_conclusion.h"
#include "model/statement.h"

namespace korvane {

class TMapStatementIndex {
public:
  TMapStatementIndex();

  /// Follows statements: indexes what was appended since the last list followed, or
  /// starts over for a list of another buffer.
  void Follow(const TStatements& statements);
  /// s's position in the list followed, or -1.
  [[nodiscard]] int Find(const TStatement* s) const;

  /// False when no statement of the list has the sentence of rc's step warrant, or of
  /// the undercutter warrant of exception on rc; true means look it up (a hash matched).
  [[nodiscard]] bool MayBeStepWarrant(const TReasonConclusion& rc) const;
  [[nodiscard]] bool MayBeUndercutterWarrant(const TStatement& exception, const TReasonConclusion& rc) const;

  /// A text's polynomial hash with its length and the base to its length: the hash of
  /// two texts joined follows from theirs.
  struct TKey {
    std::size_t Length = 0;
    std::uint64_t Hash = 0;
    std::uint64_t Power = 1;
    friend bool operator==(const TKey& a, const TKey& b) { return a.Length == b.Length && a.Hash == b.Hash; }
  };
  [[nodiscard]] static TKey HashOf(std::string_view text);
  [[nodiscard]] static TKey Join(TKey a, const TKey& b);

  /// The fixed texts of a warrant's sentence: before its first sentence, between them,
  /// after its last; and their hashes.
  struct TShape {
    std::vector<std::string> Fixed;
    std::vector<TKey> Hashes;
  };

private:
  struct TKeyHash {
    std::size_t operator()(const TKey& k) const;
  };
  void Add(const TStatement* s, int position);
  void AddKey(const TShape& shape, const std::string& sentence);
  [[nodiscard]] bool Has(const TShape& shape, std::initializer_list<const TStatement*> sentences) const;
  [[nodiscard]] int Position(const TStatement* s) const;
  [[nodiscard]] TKey SentenceHash(const TStatement* s) const;
  [[nodiscard]] std::size_t Slot(const TStatement* s) const;

  std::shared_ptr<const std::vector<TStatement*>> buffer_;
  std::size_t indexed_ = 0;
  std::size_t count_ = 0;
  // Open addressing: a large map looks up three statements per connection, and a
  // node-based map allocates per entry.
  std::vector<std::pair<const TStatement*, int>> slots_;
  TShape supporting_, defeating_, undercutter_;
  // The hashes of what lies between the fixed texts of the sentences shaped as warrants.
  std::unordered_set<TKey, TKeyHash> keys_;
  // Each statement's sentence hashed, by its position in the buffer.
  std::vector<TKey> hashes_;
};

}  // namespace korvane
