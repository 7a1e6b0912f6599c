// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainFrame.h"

#include "app/CommandTable.h"
#include "app/FileKinds.h"
#include "app/HelpFile.h"
#include "app/PlaybackClock.h"
#include "app/QtUserInterface.h"
#include "app/RecentFiles.h"
#include "app/ToolbarIcons.h"
#include "app/VolantorView.h"
#include "app/WindowSettings.h"
#include "document/Preferences.h"
#include "document/VolantorDoc.h"
#include "view/ReplayLaps.h"
#include "view/qt/ImageCanvas.h"
#include "xml/KmlExport.h"
#include "xml/TrackFiles.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include <algorithm>
#include <vector>

namespace {

const char* const kDocumentFilter = "Flight Path Files (*.vol)|*.vol||";
const char* const kDocumentExtension = "vol";
// Pane 1 shows this until the mouse moves over a path; it also sizes the pane.
const char* const kReadoutPlaceholder = "  0 00 00.0000    0 00 00.0000";

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "&Undo\tCtrl+Z" naming the edit it steps over: "&Undo Delete to Start\tCtrl+Z".
QString HistoryCommandText(int id, const std::string& editName)
{
    const QString text = Text(FindCommand(id)->strText);
    if (editName.empty())
        return text;
    const qsizetype tab = text.indexOf('\t');
    QString name = Text(editName);
    return text.left(tab) + " " + name.replace('&', "&&") + text.mid(tab);
}

}  // namespace

CMainFrame::CMainFrame(CVolantorDoc& doc, QtUserInterface& ui, QWidget* parent)
    : QMainWindow(parent), m_doc(doc), m_ui(ui), m_pView(new CVolantorView(doc, ui, this)),
      m_pPlayback(new PlaybackClock(this))
{
    setCentralWidget(m_pView);
    connect(m_pView, &CVolantorView::PointCommandChosen, this, &CMainFrame::RunCommand);
    connect(m_pPlayback, &PlaybackClock::Advanced, this, &CMainFrame::OnPlaybackAdvanced);
    CreateActions();
    CreateAccelerators();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    SetReadableMinimumSize();
    m_recentFiles = LoadRecentFiles();
    RebuildRecentFileMenu();
    RestoreLayout();
    setAcceptDrops(true);
    DocumentChanged();
}

QAction* CMainFrame::Action(int id) const
{
    auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

QKeySequence CMainFrame::Accelerator(int id) const
{
    auto found = m_accelerators.find(id);
    return found == m_accelerators.end() ? QKeySequence() : found->second->key();
}

void CMainFrame::CreateActions()
{
    for (const CommandEntry& entry : CommandTable()) {
        if (entry.nId == ID_FILE_MRU_FILE1)
            continue;  // the recent entries are made from the list itself
        auto* action = new QAction(Text(entry.strText), this);
        action->setStatusTip(Text(StatusPrompt(entry.strPrompt)));
        action->setToolTip(ToolTip(entry.strPrompt).empty() ? Text(StatusPrompt(entry.strPrompt))
                                                            : Text(ToolTip(entry.strPrompt)));
        action->setCheckable(entry.bCheckable);
        if (entry.nToolbarSlot >= 0)
            action->setIcon(ToolbarIcon(entry.nId));
        action->setEnabled(static_cast<bool>(entry.handler));
        const int id = entry.nId;
        connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
        m_actions[id] = action;
    }
    m_actions[ID_VIEW_TOOLBAR]->setChecked(true);
    m_actions[ID_VIEW_STATUS_BAR]->setChecked(true);
    auto* speeds = new QActionGroup(this);
    for (const int id : {ID_VIEW_SPEED_1, ID_VIEW_SPEED_10, ID_VIEW_SPEED_60})
        speeds->addAction(m_actions[id]);
    m_actions[ID_VIEW_SPEED_1]->setChecked(true);
}

// The accelerator table stands apart from the menus: an action's own shortcut
// would be appended to its menu text, which already names the keys it means.
// An accelerator runs its command only while the command is enabled.
void CMainFrame::CreateAccelerators()
{
    for (const CommandEntry& entry : CommandTable()) {
        if (entry.strAccelerator.empty())
            continue;
        auto* shortcut = new QShortcut(this);
        shortcut->setKeys(
            QKeySequence::listFromString(Text(entry.strAccelerator), QKeySequence::PortableText));
        const int id = entry.nId;
        connect(shortcut, &QShortcut::activated, this, [this, id] {
            if (Action(id)->isEnabled())
                RunCommand(id);
        });
        m_accelerators[id] = shortcut;
    }
}

void CMainFrame::CreateMenus()
{
    const std::pair<CommandMenu, const char*> menus[] = {{CommandMenu::File, "&File"},
                                                         {CommandMenu::Edit, "&Edit"},
                                                         {CommandMenu::Vehicle, "&Vehicle"},
                                                         {CommandMenu::View, "&View"},
                                                         {CommandMenu::Help, "&Help"}};
    for (const auto& [kind, title] : menus) {
        QMenu* menu = menuBar()->addMenu(title);
        if (kind == CommandMenu::File)
            m_pFileMenu = menu;
        for (const CommandEntry& entry : CommandTable()) {
            if (entry.menu != kind)
                continue;
            if (entry.nId == ID_FILE_MRU_FILE1) {
                // Stands in, disabled, while the list is empty; the entries go before it.
                m_pRecentPlaceholder = menu->addAction(Text(entry.strText));
                m_pRecentPlaceholder->setEnabled(false);
            } else {
                menu->addAction(m_actions[entry.nId]);
            }
            if (entry.bSeparatorAfter)
                menu->addSeparator();
        }
    }
}

void CMainFrame::CreateToolBar()
{
    std::vector<const CommandEntry*> buttons;
    for (const CommandEntry& entry : CommandTable())
        if (entry.nToolbarSlot >= 0)
            buttons.push_back(&entry);
    std::sort(buttons.begin(), buttons.end(),
              [](const CommandEntry* a, const CommandEntry* b) { return a->nToolbarSlot < b->nToolbarSlot; });

    m_pToolBar = addToolBar("Toolbar");
    m_pToolBar->setObjectName("Toolbar");
    m_pToolBar->setIconSize(QSize(16, 15));
    int previousSlot = -1;
    for (const CommandEntry* entry : buttons) {
        if (previousSlot >= 0 && entry->nToolbarSlot > previousSlot + 1)
            m_pToolBar->addSeparator();
        m_pToolBar->addAction(m_actions[entry->nId]);
        previousSlot = entry->nToolbarSlot;
    }
    connect(m_pToolBar, &QToolBar::visibilityChanged, m_actions[ID_VIEW_TOOLBAR], &QAction::setChecked);
}

void CMainFrame::CreateStatusBar()
{
    m_panes[0] = new QLabel("Ready");
    m_panes[1] = new QLabel(kReadoutPlaceholder);
    m_panes[2] = new QLabel("No Flight Path Loaded");
    m_panes[3] = new QLabel(QString::fromStdString(PlaybackTimeText(0)));
    m_panes[1]->setMinimumWidth(m_panes[1]->sizeHint().width());
    statusBar()->addWidget(m_panes[0], 1);
    statusBar()->addPermanentWidget(m_panes[1]);
    statusBar()->addPermanentWidget(m_panes[2]);
    statusBar()->addPermanentWidget(m_panes[3]);
}

void CMainFrame::SetReadableMinimumSize()
{
    statusBar()->setMinimumWidth(statusBar()->minimumSizeHint().width());
    // The legend, the view's lower eighth, holds a row of time labels above a
    // plot at least one altitude label high.
    const int label = QFontMetrics(ImageCanvas::LabelFont()).height();
    m_pView->setMinimumHeight(8 * (2 * label + 6));
}

void CMainFrame::RestoreLayout()
{
    if (!RestoreWindowSettings(*this)) {
        resize(800, 600);
        if (const QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
    }
    m_actions[ID_VIEW_TOOLBAR]->setChecked(!m_pToolBar->isHidden());
    m_actions[ID_VIEW_STATUS_BAR]->setChecked(!statusBar()->isHidden());
}

QString CMainFrame::PaneText(int pane) const
{
    return pane >= 0 && pane < 4 ? m_panes[pane]->text() : QString();
}

void CMainFrame::SetPaneText(int pane, const QString& text)
{
    if (pane >= 0 && pane < 4)
        m_panes[pane]->setText(text);
}

void CMainFrame::DocumentChanged()
{
    setWindowTitle(TitleName() + "[*] - Volantor");
    setWindowModified(m_doc.IsModified());
    // Nothing is left to play.
    if (m_doc.m_paths.empty() && !m_pView->Paths().ShowsCompiledScenery() && m_pPlayback->IsRunning()) {
        m_pPlayback->Stop();
        ShowPlayOrPause();
    }
    ShowPlaybackTime();
    m_pView->update();
    UpdateCommandUI();
}

void CMainFrame::UpdateCommandUI()
{
    const bool hasPath = !m_doc.m_paths.empty();
    for (const CommandEntry& entry : CommandTable()) {
        QAction* action = Action(entry.nId);
        if (action)
            action->setEnabled(entry.handler && (!entry.bNeedsPath || hasPath));
    }
    const EditHistory& history = m_doc.History();
    m_actions[ID_EDIT_UNDO]->setEnabled(history.CanUndo());
    m_actions[ID_EDIT_UNDO]->setText(HistoryCommandText(ID_EDIT_UNDO, history.UndoName()));
    m_actions[ID_EDIT_REDO]->setEnabled(history.CanRedo());
    m_actions[ID_EDIT_REDO]->setText(HistoryCommandText(ID_EDIT_REDO, history.RedoName()));
    m_actions[ID_VIEW_REPLAY]->setChecked(m_pView->Paths().State().m_bShowReplay);
    // A compiled file shown alone plays without a path.
    if (m_pView->Paths().ShowsCompiledScenery()) {
        m_actions[ID_VIEW_PLAY]->setEnabled(true);
        m_actions[ID_VIEW_REWIND]->setEnabled(true);
    }
}

void CMainFrame::ShowPlayOrPause()
{
    const bool running = m_pPlayback->IsRunning();
    QAction* play = m_actions[ID_VIEW_PLAY];
    play->setText(running ? "&Pause\tSpace" : Text(FindCommand(ID_VIEW_PLAY)->strText));
    play->setToolTip(running ? "Pause" : Text(ToolTip(FindCommand(ID_VIEW_PLAY)->strPrompt)));
    play->setIcon(running ? PauseToolbarIcon() : ToolbarIcon(ID_VIEW_PLAY));
}

QString CMainFrame::TitleName() const
{
    if (m_pView->Paths().ShowsCompiledScenery())
        return QFileInfo(m_strCompiledFile).fileName() + " (read-only)";
    const std::string& path = m_doc.GetPathName();
    return path.empty() ? QString("Volant") : QFileInfo(QString::fromStdString(path)).fileName();
}

void CMainFrame::RunCommand(int id)
{
    const CommandEntry* entry = FindCommand(id);
    if (!entry || !entry->handler)
        return;
    entry->handler(*this);
    DocumentChanged();
}

bool CMainFrame::SaveModified()
{
    if (!m_doc.IsModified())
        return true;
    const QString question = QString("Save changes to %1?").arg(TitleName());
    switch (m_ui.AskSaveChanges(question)) {
    case QMessageBox::Yes:
        return Save();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool CMainFrame::SaveAs()
{
    const QString initialName =
        m_doc.GetPathName().empty() ? TitleName() : QString::fromStdString(m_doc.GetPathName());
    const auto path = m_ui.ChooseFileToSave({kDocumentFilter, kDocumentExtension, initialName.toStdString()});
    if (!path || !m_doc.OnSaveDocument(*path))
        return false;
    AddRecentFile(QString::fromStdString(*path));
    return true;
}

void CMainFrame::OnFileNew()
{
    if (!SaveModified())
        return;
    m_doc.OnNewDocument();
    // The readout of the old paths would stay: an empty document never updates it.
    SetPaneText(1, kReadoutPlaceholder);
}

void CMainFrame::OnFileOpen()
{
    if (!SaveModified())
        return;
    if (const auto path = m_ui.ChooseFileToOpen({kDocumentFilter, kDocumentExtension, ""}))
        OpenDocumentFile(QString::fromStdString(*path));
}

bool CMainFrame::OpenDocumentFile(const QString& path)
{
    if (m_doc.OnOpenDocument(path.toStdString())) {
        AddRecentFile(path);
        return true;
    }
    // An entry that no longer opens leaves the list.
    if (m_recentFiles.removeAll(path) > 0) {
        SaveRecentFiles(m_recentFiles);
        RebuildRecentFileMenu();
    }
    return false;
}

bool CMainFrame::Save()
{
    if (m_doc.GetPathName().empty())
        return SaveAs();
    if (!m_doc.OnSaveDocument(m_doc.GetPathName()))
        return false;
    AddRecentFile(QString::fromStdString(m_doc.GetPathName()));
    return true;
}

void CMainFrame::OnFileSave()
{
    Save();
}

void CMainFrame::OnFileSaveAs()
{
    SaveAs();
}

void CMainFrame::OnAppExit()
{
    close();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    SaveWindowSettings(*this);
    event->accept();
}

void CMainFrame::OnImportTrack()
{
    const std::vector<std::string> files = m_ui.ChooseFilesToOpen(
        {"Track Files (*.gpx *.igc)|*.gpx;*.igc|GPX Tracks (*.gpx)|*.gpx|IGC Flights (*.igc)|*.igc||", "gpx",
         ""});
    QStringList paths;
    for (const std::string& file : files)
        paths << QString::fromStdString(file);
    ReadAsNewPaths(paths);
}

void CMainFrame::ReadAsNewPaths(const QStringList& files)
{
    std::vector<std::string> logs;
    std::vector<std::pair<std::string, TrackFile>> tracks;
    for (const QString& file : files) {
        if (FileKindOf(file) == FileKind::Track)
            tracks.emplace_back(file.toStdString(), ReadTrackFile(file.toStdString()));
        else
            logs.push_back(file.toStdString());
    }
    if (!logs.empty())
        m_doc.ReadFlightPathFiles(logs);
    if (!tracks.empty())
        m_doc.ImportTracks(tracks);
    DocumentChanged();
}

void CMainFrame::OnExportKml()
{
    ::OnExportKml(m_doc, m_ui);
}

void CMainFrame::OnPreferences()
{
    EditPreferences(m_ui);
}

void CMainFrame::OnViewToolbar()
{
    m_pToolBar->setVisible(!m_pToolBar->isVisible());
    m_actions[ID_VIEW_TOOLBAR]->setChecked(m_pToolBar->isVisible());
}

void CMainFrame::OnViewStatusBar()
{
    statusBar()->setVisible(!statusBar()->isVisible());
    m_actions[ID_VIEW_STATUS_BAR]->setChecked(statusBar()->isVisible());
}

void CMainFrame::On3DView()
{
    m_pView->Paths().On3DView();
    m_actions[ID_VIEW_3D]->setChecked(m_pView->Paths().State().m_b3DView);
}

void CMainFrame::OnZoomIn()
{
    m_pView->Paths().OnZoomIn();
}

void CMainFrame::OnZoomOut()
{
    m_pView->Paths().OnZoomOut();
}

void CMainFrame::OnResetView()
{
    m_pView->Paths().OnResetView();
}

void CMainFrame::OnShowReplay()
{
    m_pView->Paths().OnShowReplay();
}

void CMainFrame::OnPlayPause()
{
    if (m_pPlayback->IsRunning()) {
        m_pPlayback->Stop();
    } else {
        if (!m_pView->Paths().State().m_bShowReplay)
            m_pView->Paths().OnShowReplay();
        m_pPlayback->Start();
    }
    ShowPlayOrPause();
}

void CMainFrame::OnRewind()
{
    m_pView->Paths().OnRewind();
}

void CMainFrame::SetPlaybackSpeed(int speed)
{
    m_pPlayback->SetSpeed(speed);
}

void CMainFrame::OnPlaybackAdvanced(double seconds)
{
    PathView& view = m_pView->Paths();
    view.SetPlaybackTime(view.State().m_dPlaybackSeconds + seconds);
    ShowPlaybackTime();
    m_pView->update();
}

void CMainFrame::ShowPlaybackTime()
{
    const QString text =
        QString::fromStdString(PlaybackTimeText(m_pView->Paths().State().m_dPlaybackSeconds));
    if (m_panes[3]->text() != text)
        m_panes[3]->setText(text);
}

void CMainFrame::OnDeleteToStart()
{
    m_doc.OnDeleteToStart(m_pView->Paths().State().m_nSelSample);
}

void CMainFrame::OnDeleteToEnd()
{
    m_doc.OnDeleteToEnd(m_pView->Paths().State().m_nSelSample);
}

void CMainFrame::OnHelp()
{
    const QString applicationDir = QCoreApplication::applicationDirPath();
    if (const std::optional<QString> helpFile = HelpFileToOpen(QDir::currentPath(), applicationDir)) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(*helpFile));
        return;
    }
    const QString where =
        QDir::current().absoluteFilePath("VolHelp.doc") + "\n" + ManualIndexPath(applicationDir);
    m_ui.ShowFailure(("The manual was not found. Help looked for:\n" + where).toStdString());
}

void CMainFrame::OnAppAbout()
{
    QMessageBox about(this);
    about.setWindowTitle("About Volantor");
    about.setIconPixmap(windowIcon().pixmap(32, 32));
    about.setText("Volantor Version 1.0\nBrightmoor");
    about.setInformativeText("Turns flight recorder logs into dynamic scenery.");
    about.setStandardButtons(QMessageBox::Ok);
    about.exec();
}

void CMainFrame::AddRecentFile(const QString& path)
{
    m_recentFiles = WithRecentFile(m_recentFiles, QFileInfo(path).absoluteFilePath(), kMaxRecentFiles);
    SaveRecentFiles(m_recentFiles);
    RebuildRecentFileMenu();
}

void CMainFrame::RebuildRecentFileMenu()
{
    qDeleteAll(m_recentActions);
    m_recentActions.clear();
    for (qsizetype i = 0; i < m_recentFiles.size(); ++i) {
        const QString path = m_recentFiles.at(i);
        auto* action = new QAction(RecentFileMenuText(static_cast<int>(i) + 1, path), this);
        action->setStatusTip(Text(StatusPrompt(FindCommand(ID_FILE_MRU_FILE1)->strPrompt)));
        connect(action, &QAction::triggered, this, [this, path] {
            if (SaveModified())
                OpenDocumentFile(path);
            DocumentChanged();
        });
        m_pFileMenu->insertAction(m_pRecentPlaceholder, action);
        m_recentActions.push_back(action);
    }
    m_pRecentPlaceholder->setVisible(m_recentFiles.isEmpty());
}
