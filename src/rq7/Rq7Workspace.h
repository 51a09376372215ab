#pragma once

#include <QObject>
#include <array>
#include <cstdint>
#include <optional>

#include "link/Connection.h"
#include "model/Messages.h"
#include "rq7/Rq7Form.h"
#include "stamp/PcTimeConfirmation.h"
#include "stamp/PcTimeStamp.h"

namespace vrx {

// The tab "Инициализация RQ" without its widgets: the state of its controls and its two buttons.
//
// The tab keeps its own copy of the block it read last: the instrument buffer it reads into is
// shared with the heat calculator's readings, and "Провести инициализацию" must start from the
// unit's block, whose bits no control covers go back unchanged. The view mirrors Form(), writes
// the user's input into it and calls the buttons' handlers; changed() says when to show it again.
class Rq7Workspace : public QObject {
  Q_OBJECT

 public:
  static constexpr int kBlockLength = 73;
  using Block = std::array<uint8_t, kBlockLength>;

  explicit Rq7Workspace(QObject* parent = nullptr);

  Rq7InitForm& Form() { return form_; }
  const Rq7InitForm& Form() const { return form_; }
  // Moves the track bar and shows its position in `l1`.
  void SetTrackBar(int position);
  const std::optional<Block>& LastRead() const { return lastRead_; }

  // "Считать": identifies the unit, reads its block (twice, compared) and fills the controls.
  // Errors propagate; the controls and the kept block change only when all went well.
  void Read(Connection& connection);

  // "Провести инициализацию", starting from the block read last ("Сначала считайте блок RQ-7
  // кнопкой «Считать»" and nothing sent without one): stamps the PC time (the first stamp of
  // the run asks `confirmation`; a refusal throws EAbort), puts the controls into the block, runs
  // the four flow checks (each failure shown; any failure cancels the write), writes the block
  // with command 0 and reads it back. Afterwards, when the model selected on the first tab is of
  // the VRX-L1 families (`l1Family`), reports success; otherwise asks whether to leave
  // initialization mode and on "Да" sends command 3. Returns false when a check failed.
  bool Initialize(Connection& connection, PcTimeStamp& stamp, PcTimeConfirmation& confirmation,
                  Messages& messages, bool l1Family);

  void NotifyChanged() { emit changed(); }

 signals:
  void changed();

 private:
  Rq7InitForm form_;
  std::optional<Block> lastRead_;
};

}  // namespace vrx
