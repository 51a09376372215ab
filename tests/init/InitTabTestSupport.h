#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <vector>

#include "init/InitWorkspace.h"
#include "link/ConnectionState.h"

namespace vrx::test {

// The first tab after start-up, driven as the view drives it: a value goes into the control
// state, then the control's handler runs.
struct InitTab {
  ConnectionState state;
  InitWorkspace ws{state};

  InitTab() { ws.Start(); }

  InitTabControls& c() { return ws.Controls(); }
  ChannelsTable& channels() { return ws.cdsChannels(); }

  void Type(const char* name) {
    ASSERT_TRUE(c().cbDeviceType.Select(QString::fromLatin1(name))) << name;
    ws.cbDeviceTypeChange();
  }
  void Scheme(const char* item) {
    ASSERT_TRUE(c().cbCountingScheme.Select(QString::fromLatin1(item))) << item;
    ws.CountingSchemeChanged();
  }
  void Third(bool on) {
    c().cbThirdChannel.checked = on;
    ws.cbThirdChannelClick();
  }

  std::vector<int> Channels() {
    std::vector<int> numbers;
    for (const ChannelRow& row : channels().Rows())
      numbers.push_back(row.ChannelNo);
    return numbers;
  }
  int RowOf(int channelNo) {
    const int row = channels().FindChannel(channelNo);
    EXPECT_GE(row, 0) << "no row for channel " << channelNo;
    return row;
  }
  QString Cell(int channelNo, ChannelField field) {
    return channels().Text(RowOf(channelNo), field);
  }
  void Enter(int channelNo, ChannelField field, const QString& text) {
    channels().SetText(RowOf(channelNo), field, text);
  }
};

}  // namespace vrx::test
