#pragma once
// The FILE window "FILE": the show's drawings, sections and ILDA images in
// three lists, a convert list of drawing names, previews of the selected
// drawings, an animation of the selected ILDA image, and the four
// conversions between the file kinds (sequencer/file_conversions.h).
//
// The ILDA list's folder follows a folder tree rooted at the file system's
// root, so images on any mounted disk can be reached; there is no drive
// chooser (Linux has one tree).

#include "model/show_model.h"
#include "player/ilda_preview.h"
#include "player/show_file_list.h"
#include "sequencer/file_conversions.h"

#include <QWidget>

#include <functional>
#include <memory>

class IldaPreviewAnimator;
class PreviewBox;
class QLabel;
class FolderTree;
class TskButton;
class TskCheckBox;
class TskEdit;
class TskForm;
class TskListBox;
class WindowRegistry;

class TForm9 : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. Created once at start-up, hidden. `clock` drives the ILDA
    /// animation (null: the 15.625 ms timer).
    explicit TForm9(WindowRegistry& windows, std::unique_ptr<TickSource> clock = nullptr);
    ~TForm9() override;

    // Controls, by their names.
    ShowFileList* FileListBox1() const { return m_fileListBox1; }
    ShowFileList* FileListBox2() const { return m_fileListBox2; }
    ShowFileList* FileListBox3() const { return m_fileListBox3; }
    TskListBox* ListBox1() const { return m_listBox1; }
    IldaPreviewAnimator& IldaPreview() { return *m_ildaPreview; }
    /// Shows the ILDA list for another folder, as choosing it in the folder tree does.
    void DirectoryListBox1Change(const QString& folder);

    // Handlers, named after the controls they serve.
    void FormActivate();
    void skCheckBox2Click();
    void FileListBox1Change();
    void FileListBox3Change();
    void skCheckBox1Click();
    void ListBox1Click();
    void skButton1Click();
    void skButton2Click();
    void skButton3Click();
    /// The Delete key acted in a file list: a failure is shown; the previews follow.
    void FileListDeleted(ShowFileList* list, ShowFileList::DeleteOutcome outcome, const QString& failure);
    void ListBox1KeyDown();
    void BitBtn2Click();
    void BitBtn15Click();
    void BitBtn1Click();
    void ListBox1DblClick();
    void skButton5Click();
    void skButton6Click();
    void skButton4Click();
    void skButton9Click();
    void skButton8Click();
    void skButton7Click();
    void skButton10Click();

    /// Reads the three folders again, keeping the selections by name, and the previews.
    void RefreshFileLists();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    /// Opens the folder tree down to the ILDA list's folder and shows it.
    void RevealIldaFolder();
    void LoadDrawingPreview();
    void LoadConvertPreview();
    void LoadIldaPreview();
    /// A new ILDA image: listed, selected and, with the preview on, shown.
    void ShowWrittenIlda(const QString& fileName);
    /// Removes the convert list's selected entry; the neighbour is reselected by text.
    bool RemoveConvertEntry();
    ConversionFolders Folders() const;
    /// Runs a handler; an exception becomes a message instead of leaving the event loop.
    void Guarded(const std::function<void()>& handler);
    void ShowIldaFrame(const QImage& picture, int pointCount);

    WindowRegistry& m_windows;
    std::unique_ptr<IldaPreviewAnimator> m_ildaPreview;

    TskForm* m_skForm1 = nullptr;
    ShowFileList* m_fileListBox1 = nullptr;
    ShowFileList* m_fileListBox2 = nullptr;
    ShowFileList* m_fileListBox3 = nullptr;
    FolderTree* m_directoryListBox1 = nullptr;
    TskListBox* m_listBox1 = nullptr;
    PreviewBox* m_image1 = nullptr;
    PreviewBox* m_image2 = nullptr;
    PreviewBox* m_image3 = nullptr;
    QLabel* m_label6 = nullptr;
    QLabel* m_label11 = nullptr;
    QLabel* m_label18 = nullptr;
    QLabel* m_label29 = nullptr;
    TskCheckBox* m_skCheckBox1 = nullptr;
    TskCheckBox* m_skCheckBox2 = nullptr;
    TskEdit* m_skEdit1 = nullptr;
    TskEdit* m_skEdit2 = nullptr;
    TskEdit* m_skEdit3 = nullptr;
    TskEdit* m_skEdit4 = nullptr;
    TskEdit* m_skEdit5 = nullptr;
    TskEdit* m_skEdit6 = nullptr;
};
