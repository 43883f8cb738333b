#pragma once

// What the user waits for, as benchmarks on a TBenchIde. Every one takes the
// palette's size as its arguments: range(0) pages and range(1) groups
// (pages 0: the stock palette, see MakeShape), and times by hand only the
// operation itself, not what sets the next one up: register them with
// UseManualTime(). Under callgrind with --collect-atstart=no only the timed
// parts are counted.

#include <benchmark/benchmark.h>

// A user's click on a group tab, and the repaint it causes. The tab lies
// half-way along the bar, beyond its edge where the bar overflows: the
// bar's arrows bring it into view first, untimed, as the user's clicks on
// them are actions of their own (BM_GroupBarScroll).
void BM_GroupSwitch(benchmark::State& State);
// A click on a group tab already in view (the sixth), and the repaint.
void BM_GroupClickInView(benchmark::State& State);
// A click on an arrow of the group bar's up-down control: the row moves by
// one tab, and the bar paints every tab in view. Right and left in turn.
void BM_GroupBarScroll(benchmark::State& State);
// A user's click on a palette page: the palette lends the master list's
// window to the IDE's own handler, which loads the page.
void BM_PageChoice(benchmark::State& State);
// The palette-change timer's tick when the IDE has not touched the palette.
void BM_TickUnchanged(benchmark::State& State);
// The palette-change tick after the IDE installed or removed a package.
void BM_TickAfterRewrite(benchmark::State& State);
// The sort timer's tick, a while after the main form lost activation.
void BM_SortTick(benchmark::State& State);
// A new expert's start-up: import of the groups, discovery of the ungrouped
// pages, up to the first paint.
void BM_StartUp(benchmark::State& State);
// The settings command up to the moment the user sees the filled dialog.
void BM_DialogOpening(benchmark::State& State);
// The user's OK in the settings dialog until the command returns: options
// applied, groups exported, imported again and discovered.
void BM_SettingsOk(benchmark::State& State);
// The store's export alone, of the groups the dialog would hand over.
void BM_Export(benchmark::State& State);
// The import and the discovery done the literal way, a linear search of the
// master list for every page of every group, on the start-up's data: the
// reference that BM_StartUp is measured against.
void BM_LiteralStartUp(benchmark::State& State);

// The bare IDE on the same pages, without the expert: what the expert's
// costs are set against. The IDE's start-up with its palette: its main form
// built with every page, shown and painted (against BM_StartUp).
void BM_IdePaletteBuild(benchmark::State& State);
// The IDE's own rebuild of the palette after it installed or removed a
// one-page package (against BM_TickAfterRewrite, which follows it).
void BM_IdeRebuild(benchmark::State& State);
// A click on a page of the full palette and the repaint (against
// BM_GroupSwitch): the last page and the first in turn, each brought into
// view with the palette's arrows first, untimed.
void BM_IdePaletteClick(benchmark::State& State);
