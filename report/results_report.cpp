#include "report/results_report.h"

#include "engine/host/meeting_host.h"
#include "report/heat_table_text.h"
#include "report/lineup_text.h"
#include "report/report_ranking.h"
#include "report/text_layout.h"

namespace corvane {

namespace {

// Date, venue and title; nothing at all without a date.
void AppendHeader(std::string& text, const Meeting& m) {
  if (m.DateLines.empty()) return;
  text += " " + m.DateLines;
  if (!m.VenueLines.empty()) text += "  at " + m.VenueLines;
  text += kLineEnd;
  if (!m.TitleLines.empty()) {
    text += " " + m.TitleLines;
    text += kLineEnd;
  }
  text += kLineEnd;
}

}  // namespace

std::string WriteResults(const Meeting& m) {
  const ReportOrder order = RankForReport(m);
  std::string text;
  AppendHeader(text, m);
  AppendLineups(text, m, order);
  AppendHeatTable(text, m);
  return text;
}

void RefreshResults(const Meeting& m, MeetingHost& host) {
  if (host.WantsReport()) {
    PublishReport(host, m, WriteResults(m));
  } else {
    host.SetMeetingMenu(MeetingMenuFor(m));
  }
}

}  // namespace corvane
