// The regions of the window: top bar, gallery panel, tab area and status bar, and the
// Directories and Thumbnails tabs. The other tabs are built in window_tabs.cpp.
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/controls.h"
#include "app/main_window.h"
#include "app/widgets.h"
#include "generator/layout.h"

namespace fw {

namespace {

QPushButton* Button(const char* name, const QString& caption, const QString& hint, QWidget* p) {
  auto* b = new QPushButton(caption, p);
  b->setObjectName(name);
  if (!hint.isEmpty()) b->setToolTip(hint);
  return b;
}

QToolButton* Tool(const char* name, const QString& glyph, const QString& hint, QWidget* p) {
  auto* b = new QToolButton(p);
  b->setObjectName(name);
  b->setText(glyph);
  b->setToolTip(hint);
  return b;
}

}  // namespace

void TfrmMain::buildWindow() {
  auto* central = new QWidget(this);
  auto* v = new QVBoxLayout(central);
  v->setContentsMargins(4, 4, 4, 4);
  v->addWidget(buildTopBar());
  auto* h = new QHBoxLayout;
  h->addWidget(buildGalleryPanel());
  auto* pages = new QTabWidget(central);
  pages->setObjectName("PageControl");
  // Pages scroll when the window is smaller than they need; Thumbnails and Navigation hold
  // sub-tabs whose pages scroll.
  pages->addTab(ScrollingPage(buildDirectoriesTab()), "Directories");
  pages->addTab(buildThumbnailsTab(), "Thumbnails");
  pages->addTab(ScrollingPage(buildIndexTab()), "Index Page");
  pages->addTab(ScrollingPage(buildGalleryTab()), "Gallery Page");
  pages->addTab(ScrollingPage(buildImageTab()), "Image Page");
  pages->addTab(buildNavigationTab(), "Navigation");
  pages->addTab(ScrollingPage(buildAdvancedTab()), "Advanced");
  pages->addTab(ScrollingPage(buildReportsTab()), "Reports");
  pages->addTab(ScrollingPage(buildAboutTab()), "About");
  h->addWidget(pages, 1);
  v->addLayout(h, 1);
  setCentralWidget(central);
  for (auto* form : findChildren<QFormLayout*>())
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  auto* bar = new QStatusBar(this);
  bar->setObjectName("StatusBar1");
  statusText_ = new QLabel(bar);
  statusText_->setObjectName("StatusText");
  bar->addWidget(statusText_, 1);
  setStatusBar(bar);
}

QWidget* TfrmMain::buildTopBar() {
  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setFrameShape(QFrame::StyledPanel);
  auto* h = new QHBoxLayout(panel);
  h->setContentsMargins(4, 2, 4, 2);
  auto* go = Button("butGo", "Go", "", panel);
  go->setStyleSheet("QPushButton { color: white; background: #1e8c2e; font-weight: bold; "
                    "padding: 3px 14px; } QPushButton:disabled { background: #8fb894; }");
  h->addWidget(go);
  h->addWidget(Button("butMakeThumbs", "Thumbs", "Make thumbnails", panel));
  h->addWidget(Button("butBrowser", "Browser", "Open in browser", panel));
  h->addStretch(1);
  auto* name = new QLabel(panel);
  name->setObjectName("lblGallery");
  name->setToolTip("Selected gallery");
  QFont f = name->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.3);
  name->setFont(f);
  name->setAlignment(Qt::AlignCenter);
  h->addWidget(name);
  h->addStretch(1);
  auto* help = Button("butHelp", "Help", "Help", panel);
  help->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
  h->addWidget(help);
  auto* exit = Button("butExit", "Exit", "Exit", panel);
  exit->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  h->addWidget(exit);
  return panel;
}

QWidget* TfrmMain::buildGalleryPanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName("PanelList");
  auto* v = new QVBoxLayout(panel);
  v->setContentsMargins(0, 0, 0, 0);
  auto* head = new QHBoxLayout;
  head->addWidget(new QLabel("Galleries", panel));
  auto* total = new QLabel("0", panel);
  total->setObjectName("lblTotalGalleries");
  head->addWidget(total);
  head->addStretch(1);
  head->addWidget(Tool("butAddGallery", "+", "Add new gallery", panel));
  head->addWidget(Tool("butDelGallery", "\u2212", "Delete gallery", panel));
  head->addWidget(Tool("butDuplicate", "Dup", "Duplicate gallery", panel));
  v->addLayout(head);
  auto* list = new QListWidget(panel);
  list->setObjectName("lstGalleries");
  v->addWidget(list, 1);

  auto* grp = new QGroupBox(" Backup (click to hide) ", panel);
  grp->setObjectName("grpBackup");
  grp->setFixedHeight(120);
  grp->installEventFilter(this);
  auto* inner = new QWidget(grp);
  inner->setObjectName("grpBackupBody");
  auto* g = new QGridLayout(inner);
  g->setContentsMargins(0, 0, 0, 0);
  g->addWidget(new QLabel("Directory", inner), 0, 0, 1, 2);
  g->addWidget(MakeEdit("edtBackupDir", inner), 1, 0);
  g->addWidget(Tool("butBackDirBrowse", "...", "Select folder", inner), 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Button("butBackup", "Backup", "", inner));
  buttons->addWidget(Button("butRestore", "Restore", "", inner));
  g->addLayout(buttons, 2, 0, 1, 2);
  auto* gv = new QVBoxLayout(grp);
  gv->setContentsMargins(6, 4, 6, 4);
  gv->addWidget(inner);
  v->addWidget(grp);
  // A usual list's width, or what a large font needs for the buttons and captions.
  panel->setFixedWidth(std::max(210, panel->minimumSizeHint().width()));
  return panel;
}

QWidget* TfrmMain::buildDirectoriesTab() {
  auto* tab = new QWidget(this);
  tab->setObjectName("tabDirectories");
  auto* v = new QVBoxLayout(tab);

  auto* src = new QGroupBox(" Image source ", tab);
  auto* sg = new QGridLayout(src);
  sg->addWidget(new QLabel(CaptionFor("ImageSourceDir"), src), 0, 0);
  sg->addWidget(MakeEdit("ImageSourceDir", src), 0, 1, 1, 6);
  sg->addWidget(Tool("butBrowse", "...", "Select image source directory", src), 0, 7);
  sg->addWidget(Button("butCopyImages", "Copy images", "Copy images", src), 0, 8);
  auto* abortCopy = Button("butAbortCopy", "Abort", "", src);
  abortCopy->setStyleSheet("QPushButton { color: white; background: #c0282d; }");
  abortCopy->hide();
  sg->addWidget(abortCopy, 1, 8);
  sg->addWidget(MakeCheck("ConvertToJpeg", src), 1, 0);
  auto* q = new QLabel(CaptionFor("JpegQuality"), src);
  q->setObjectName("lblJpegQuality");
  sg->addWidget(q, 1, 1);
  sg->addWidget(MakeSpin("JpegQuality", src), 1, 2);
  sg->addWidget(MakeCheck("chkIsProgressive", src), 1, 3);
  sg->addWidget(MakeCheck("chkResizeByDimensions", src), 2, 1, 1, 2);
  sg->addWidget(MakeSpin("spinMaxWidth", src), 2, 3);
  auto* x = new QLabel("x", src);
  x->setObjectName("lblX");
  sg->addWidget(x, 2, 4);
  sg->addWidget(MakeSpin("spinMaxHeight", src), 2, 5);
  sg->setColumnStretch(6, 1);
  v->addWidget(src);

  auto* gal = new QGroupBox(" Gallery ", tab);
  auto* gh = new QHBoxLayout(gal);
  auto* form = new QFormLayout;
  auto* base = new QHBoxLayout;
  base->addWidget(MakeEdit("BaseDir", gal));
  base->addWidget(Tool("butBrowse2", "...", "Select base directory", gal));
  form->addRow(CaptionFor("BaseDir"), base);
  AddField(form, MakeEdit("ImageDir", gal));
  AddField(form, MakeEdit("ThumbsDir", gal));
  AddField(form, MakeEdit("BaseUrl", gal));
  AddField(form, MakeEdit("BlankSpace", gal));
  form->addRow(MakeCheck("DisableBanner", gal));
  form->addRow(MakeCheck("chkListWebPictures", gal));
  form->addRow(MakeCheck("chkRemoveLocation", gal));
  auto* buttons = new QGridLayout;
  buttons->addWidget(Button("butResizeImages", "Resize large images", "", gal), 0, 0);
  auto* abortResize = Button("butAbortResize", "Abort image resize", "", gal);
  abortResize->setStyleSheet("QPushButton { color: white; background: #c0282d; }");
  abortResize->hide();
  buttons->addWidget(abortResize, 0, 0);  // the same cell: it takes the place of the other
  buttons->addWidget(Button("butReloadImages", "Reload images", "", gal), 1, 0);
  buttons->addWidget(Button("butRenameImg", "Rename images", "", gal), 2, 0);
  form->addRow(buttons);
  gh->addLayout(form, 3);

  // The preview sits in the free band above the list, positioned by hand.
  auto* listArea = new QWidget(gal);
  listArea->setObjectName("ImageListArea");
  auto* lv = new QVBoxLayout(listArea);
  lv->setContentsMargins(0, 0, 0, 0);
  auto* sort = MakeCheck("chkSort", listArea);
  lv->addWidget(sort);
  auto* hint = new QLabel("To re-arrange un-check Sorted, left-click, drag and drop at reqd position.",
                          listArea);
  hint->setObjectName("ScrollingText");
  hint->setWordWrap(true);
  hint->hide();
  lv->addWidget(hint);
  lv->addSpacing(106);
  auto* list = new ImageListBox(listArea);
  list->setObjectName("ImageList");
  lv->addWidget(list, 1);
  auto* preview = new QLabel(listArea);
  preview->setObjectName("ImageArea");
  preview->setScaledContents(true);
  preview->hide();
  listArea->setFixedWidth(190);
  gh->addWidget(listArea, 2);
  v->addWidget(gal, 1);
  return tab;
}

QWidget* TfrmMain::buildThumbnailsTab() {
  auto* tab = new QTabWidget(this);
  tab->setObjectName("tabThumbnails");
  auto* layout = new QWidget(tab);
  layout->setObjectName("tabLayout");
  auto* lg = new QGridLayout(layout);
  for (int n = kFirstTemplate; n <= kLastTemplate; ++n) {
    const QString caption = n == kCustomTemplate       ? QString("Custom")
                            : n == kResponsiveTemplate ? QString("Responsive")
                                                       : QString::number(n);
    auto* r = new QRadioButton(caption, layout);
    r->setObjectName(QString("Template%1").arg(n));
    r->setIcon(QIcon(LayoutPicture(n)));
    r->setIconSize(LayoutPicture(n).size());
    r->setChecked(n == 1);  // the first layout until a gallery says otherwise
    lg->addWidget(r, (n - 1) / 4, (n - 1) % 4);
  }
  auto* f = new QFormLayout;
  AddField(f, MakeSpin("Rows", layout));
  AddField(f, MakeSpin("Cols", layout));
  auto* pages = new QLabel(layout);
  pages->setObjectName("PagesReqd");
  f->addRow(pages);
  f->addRow(Button("butCustomOptions", "Custom options", "", layout));
  lg->addLayout(f, 4, 0, 1, 4);
  lg->setRowStretch(5, 1);
  tab->addTab(ScrollingPage(layout), "Layout");

  auto* opt = new QWidget(tab);
  opt->setObjectName("tabOptions");
  auto* of = new QFormLayout(opt);
  auto* radio = new QGroupBox(opt);
  radio->setObjectName("optIsThumbPrefix");
  auto* rh = new QHBoxLayout(radio);
  auto* suffix = new QRadioButton("Use suffix", radio);
  suffix->setObjectName("optIsThumbPrefix0");
  auto* prefix = new QRadioButton("Use prefix", radio);
  prefix->setObjectName("optIsThumbPrefix1");
  rh->addWidget(suffix);
  rh->addWidget(prefix);
  of->addRow(radio);
  AddField(of, MakeEdit("ThumbPrefix", opt));
  auto* size = new QHBoxLayout;
  size->addWidget(MakeSpin("ThumbSize", opt));
  size->addWidget(MakeCheck("chkSmoothPictures", opt));
  size->addStretch(1);
  of->addRow(CaptionFor("ThumbSize"), size);
  AddField(of, MakeSpin("CellSpacing", opt));
  AddField(of, MakeSpin("CellPadding", opt));
  AddField(of, MakeSpin("TableBorder", opt));
  AddField(of, MakeEdit("TableBackImage", opt));
  auto* colours = new QHBoxLayout;
  colours->addWidget(MakeColour("butTableBackColor", opt));
  colours->addWidget(MakeColour("butTableForeColor", opt));
  colours->addStretch(1);
  of->addRow(colours);
  of->addRow(MakeCheck("ShowImageName", opt));
  of->addRow(MakeCheck("CleanImageName", opt));
  of->addRow(MakeCheck("ShowImageDimensions", opt));
  of->addRow(MakeCheck("ShowImageSize", opt));
  tab->addTab(ScrollingPage(opt), "Options");
  return tab;
}

}  // namespace fw
