#pragma once

#include <AIS_Shape.hxx>
#include <AIS_TextLabel.hxx>
#include <Quantity_Color.hxx>
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/desktop/run_clearance_record.hpp"
#include "clearance/clearance_check.hpp"
#include "host/object.hpp"

namespace sledway::model {
class AssemblyDocument;
class Component;
}  // namespace sledway::model

namespace sledway::app {

class ViewWidget;

// One move watched: the clearance of the component that moved, in the display unit.
struct ClearanceSample {
  int move = 0;  // 1 for the first move of the run
  std::optional<double> distance;
  std::string moving;
  std::string nearest;
  bool contact = false;
};

// The clearance watch of the desktop host: whenever the view finds a component moved, the
// clearance of that component to every other one is measured; components in contact are drawn
// red, and a line labelled with the distance joins the closest pair. The moves of one run (moves
// less than a second apart, or the moves of a run of the host's own) are kept for the plot after
// it.
class ClearanceWatch {
 public:
  explicit ClearanceWatch(ViewWidget& view);
  ~ClearanceWatch();

  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  // The view shows another document: what was measured belongs to the old one.
  void Reset();
  // Called by the view after its scene took new placements, before it draws them.
  void Update();

  // A run of the host's own (the "Motion" panel's) begins or ends: its moves are one run,
  // however long the measurements between them take.
  void BeginOwnRun();
  void EndOwnRun();
  // While probing, the placements the view shows are measurements on the way between two
  // moves, not moves; once it ends, where the components stand then is no move either.
  void Probing(bool probing);
  // The clearance of the own run over the whole motion, kept for the plot until the next run.
  void KeepWholeMotion(std::optional<RunClearanceRecord> record) {
    wholeMotion_ = std::move(record);
  }
  const std::optional<RunClearanceRecord>& WholeMotion() const { return wholeMotion_; }

  const std::vector<ClearanceSample>& Samples() const { return samples_; }
  std::string LengthUnit() const;

 private:
  void Clear();
  // Learns where every component stands now, taking none of it as a move.
  void Learn();
  void StartRun();
  void Show(const clearance::Clearance& clearance);
  void Paint(const Ref<model::Component>& component, bool contact);

  ViewWidget& view_;
  bool enabled_ = false;
  Ref<model::AssemblyDocument> document_;
  std::map<const model::Component*, gp_Trsf> placements_;
  Ref<model::Component> moving_;
  std::unique_ptr<clearance::ClearanceCheck> check_;
  std::map<const model::Component*, Quantity_Color> painted_;  // red now, and their own colour
  Handle(AIS_Shape) line_;
  Handle(AIS_TextLabel) label_;
  std::vector<ClearanceSample> samples_;
  std::optional<RunClearanceRecord> wholeMotion_;
  bool ownRun_ = false;
  bool probing_ = false;
  std::chrono::steady_clock::time_point lastMove_;
};

}  // namespace sledway::app
