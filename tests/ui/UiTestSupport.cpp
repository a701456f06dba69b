#include "ui/UiTestSupport.h"

#include "app/ProgramFont.h"
#include "store/DrawStore.h"
#include "store/HistoryCsv.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QTest>

namespace kazutama::test {

ProgramFixture::ProgramFixture(bool withSampleHistory,
                               const std::function<void(ProgramFixture&)>& beforeLoad) {
    // Layouts are checked with the font the program shows them in.
    QApplication::setFont(programFont());
    settingsFile = dir / "Kazutama.ini";
    if (withSampleHistory) {
        auto store = DrawStore::create(ConnectionString::forApplicationFolder(dir.path()));
        auto draws = readHistoryCsvFile(KAZUTAMA_SAMPLE_HISTORY);
        (void)store->importDraws(draws.value());
    }
    if (beforeLoad)
        beforeLoad(*this);
    m_window = std::make_unique<MainFrm>(AppFiles{dir.path(), settingsFile});
    m_window->load();
    m_window->show();
    m_window->activateWindow();
    (void)QTest::qWaitForWindowActive(m_window.get(), 2000);
    settle();
}

ProgramFixture::~ProgramFixture() {
    m_window->close();
    m_window.reset();
    settle();
}

QAction* ProgramFixture::action(const char* name) {
    return m_window->findChild<QAction*>(name);
}

void ProgramFixture::trigger(const char* name) {
    action(name)->trigger();
    settle();
}

void ProgramFixture::settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void ProgramFixture::closeView(const QString& windowName) {
    if (QMdiSubWindow* window = m_window->openedView(windowName))
        window->close();
    settle();
}

} // namespace kazutama::test
