// The design surface on a page of 2,000 text views: painting the whole
// page, and one drag step of 200 selected views (the mouse event and the
// repaint of what the step changed).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <cstdlib>
#include <memory>

#include "designer/design_surface.h"
#include "designer/designer_form.h"
#include "engine/model/report.h"
#include "engine/model/views.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"

namespace {

struct Fixture {
  Fixture() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QApplication>(argc, argv);
    vl::vlInstallPlatform(vl::TvlPlatform{nullptr, &settings});
    report.Pages.Add();
    // 40 x 50 views of 17 x 20 on an A4 page.
    for (int k = 0; k < 2000; ++k) {
      auto v = std::make_unique<vl::TvlMemoView>();
      v->Name = "Memo" + std::to_string(k + 1);
      v->Left = 4 + (k % 40) * 19;
      v->Top = 4 + (k / 40) * 22;
      v->Width = 17;
      v->Height = 20;
      v->FrameTyp = vl::vlftLeft | vl::vlftTop | vl::vlftRight | vl::vlftBottom;
      v->Memo = {"A" + std::to_string(k)};
      report.Pages[0]->Objects.push_back(std::move(v));
    }
    form = std::make_unique<vl::TvlDesignerForm>(report, true);
    form->showNormal();
    form->resize(1200, 1300);
    QApplication::processEvents();
  }
  vl::TvlMemorySettingsStore settings;
  std::unique_ptr<QApplication> app;
  vl::TvlReport report;
  std::unique_ptr<vl::TvlDesignerForm> form;
};

Fixture& F() {
  static Fixture f;
  return f;
}

void Send(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButtons held) {
  QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                held, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

void BM_RepaintWholePage(benchmark::State& state) {
  vl::TvlDesignerPage& surface = *F().form->Surface();
  QImage image(surface.size(), QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    surface.PaintPage(painter, surface.rect());
  }
}
BENCHMARK(BM_RepaintWholePage)->Unit(benchmark::kMillisecond);

void BM_DragStep200Selected(benchmark::State& state) {
  Fixture& f = F();
  vl::TvlDesignerPage& surface = *f.form->Surface();
  f.form->Options.GridAlign = false;
  f.form->ClearSelection();
  for (int k = 0; k < 200; ++k) f.report.Pages[0]->Objects[static_cast<std::size_t>(k)]->Selected = 1;
  surface.ComputeGroupBounds();
  QPoint p(12, 12);  // inside the first view
  Send(&surface, QEvent::MouseMove, p, Qt::NoButton);
  Send(&surface, QEvent::MouseButtonPress, p, Qt::LeftButton);
  QApplication::processEvents();
  int step = 4;
  for (auto _ : state) {
    p.ry() += step;
    step = -step;
    Send(&surface, QEvent::MouseMove, p, Qt::LeftButton);
    QApplication::processEvents();  // paints the region the step changed
  }
  Send(&surface, QEvent::MouseButtonRelease, p, Qt::NoButton);
}
BENCHMARK(BM_DragStep200Selected)->Unit(benchmark::kMillisecond);

}  // namespace
