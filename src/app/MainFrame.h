// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <QList>
#include <QMainWindow>
#include <QStringList>
#include <QUrl>

#include <map>

class CVolantorDoc;
class CVolantorView;
class PlaybackClock;
class QtUserInterface;
class QAction;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMenu;
class QShortcut;
class QToolBar;

// The main window: menus, toolbar, accelerators and status bar built from the
// command table, around the one view of the one document.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    CMainFrame(CVolantorDoc& doc, QtUserInterface& ui, QWidget* parent = nullptr);

    CVolantorDoc& Document() { return m_doc; }
    CVolantorView& View() { return *m_pView; }
    QAction* Action(int id) const;
    // The key that runs the command, empty for none; the menus show only the command's own text.
    QKeySequence Accelerator(int id) const;
    QToolBar* ToolBar() const { return m_pToolBar; }
    const PlaybackClock& Playback() const { return *m_pPlayback; }
    QString PaneText(int pane) const;
    void SetPaneText(int pane, const QString& text);

    // The document changed: repaint, retitle and re-enable the commands.
    void DocumentChanged();
    // Enables the commands that need a path exactly while the document has one.
    void UpdateCommandUI();
    // "Volant" for a new document, else its file name.
    QString TitleName() const;

    QStringList RecentFiles() const { return m_recentFiles; }
    // The recent-file entries of the File menu, in order.
    QList<QAction*> RecentFileActions() const { return m_recentActions; }
    void AddRecentFile(const QString& path);

    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnAppExit();
    void OnImportTrack();
    // "Open BGL...": a compiled scenery file's vehicles shown by themselves, read-only.
    void OnOpenBgl();
    // "Fit to Size...": asks for the largest file, then fits the scenery into it.
    void OnFitToSize();
    void OnExportKml();
    // Reads recorder logs and track files, in the given order, as new paths: the logs
    // as one edit and the tracks as another, each with one report.
    void ReadAsNewPaths(const QStringList& files);
    void OnPreferences();
    void OnViewToolbar();
    void OnViewStatusBar();
    void On3DView();
    void OnZoomIn();
    void OnZoomOut();
    void OnResetView();
    // Playback of the replay, the time in status-bar pane 3. Playing shows the replay.
    void OnShowReplay();
    void OnPlayPause();
    void OnRewind();
    void SetPlaybackSpeed(int speed);
    // The point menu's trims, at the sample the right click picked.
    void OnDeleteToStart();
    void OnDeleteToEnd();
    void OnHelp();
    void OnAppAbout();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateAccelerators();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void RunCommand(int id);
    // A tick of playback: only the view repaints.
    void OnPlaybackAdvanced(double seconds);
    void ShowPlaybackTime();
    // Play's text, tip and picture say what it would do now.
    void ShowPlayOrPause();
    // Asks about unsaved changes; false when the person cancelled or the save failed.
    bool SaveModified();
    // Saves under the document's name, or asks for one; false when not saved.
    bool Save();
    bool SaveAs();
    // False when the document could not be opened.
    bool OpenDocumentFile(const QString& path);
    void RebuildRecentFileMenu();
    // Large enough that the status panes and the legend's labels do not overprint.
    void SetReadableMinimumSize();
    // Shows the toolbar and status bar as the last run left them, or the first run's size and place.
    void RestoreLayout();
    // A document opens as File > Open does, recorder logs are read as new paths, anything else is refused.
    void OpenDroppedFiles(const QList<QUrl>& urls);

    CVolantorDoc& m_doc;
    QtUserInterface& m_ui;
    CVolantorView* m_pView;
    std::map<int, QAction*> m_actions;
    std::map<int, QShortcut*> m_accelerators;
    QToolBar* m_pToolBar = nullptr;
    QMenu* m_pFileMenu = nullptr;
    QAction* m_pRecentPlaceholder = nullptr;
    QList<QAction*> m_recentActions;
    QLabel* m_panes[4] = {};
    PlaybackClock* m_pPlayback;
    QStringList m_recentFiles;
    QString m_strCompiledFile;  // the compiled file shown alone, if one is
};
