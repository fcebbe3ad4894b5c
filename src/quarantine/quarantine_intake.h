#pragma once

#include <cstdint>
#include <string>

namespace nexolant {

// The outcome of taking one file into the quarantine: quarantined, or left where it was with
// the system's error code when the system gave one (0 otherwise).
struct IntakeResult {
  bool quarantined = false;
  std::uint32_t errorCode = 0;
};

// What a repair needs of the quarantine: a session over the index for one repair, in which
// files are taken in one by one, and the summary shown after it.
class QuarantineIntake {
 public:
  virtual ~QuarantineIntake() = default;

  virtual void BeginIntake() = 0;
  // Moves folder\name into the quarantine. Its index entry reaches the disk before the move
  // and is taken back when the move fails; the row is added only for a moved file. A name
  // that is taken in the quarantine, or an entry the index cannot hold, leaves the file where
  // it is. Throws platform::SystemError when the quarantine folder cannot be created.
  virtual IntakeResult TakeIn(const std::string& name, const std::string& folder,
                              const std::string& description) = 0;
  virtual void EndIntake() = 0;
  // The number of quarantined files after a repair.
  virtual void ShowRepairSummary() = 0;
};

// One repair's session: begun at construction, ended on every way out.
class IntakeSession {
 public:
  explicit IntakeSession(QuarantineIntake& intake) : intake_(intake) { intake_.BeginIntake(); }
  ~IntakeSession() { intake_.EndIntake(); }
  IntakeSession(const IntakeSession&) = delete;
  IntakeSession& operator=(const IntakeSession&) = delete;

 private:
  QuarantineIntake& intake_;
};

}  // namespace nexolant
