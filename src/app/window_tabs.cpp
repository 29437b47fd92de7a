// The Index Page, Gallery Page, Image Page, Navigation, Advanced, Reports and About tabs.
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/controls.h"
#include "app/main_window.h"
#include "app/widgets.h"
#include "common/site.h"
#include "version.h"

namespace fw {

namespace {

QWidget* Page(QTabWidget* tabs, const char* name, const QString& caption) {
  auto* w = new QWidget(tabs);
  w->setObjectName(name);
  tabs->addTab(w, caption);
  return w;
}

// A sub-tab holding one memo.
void MemoTab(QTabWidget* tabs, const char* tabName, const char* memo, const QString& caption) {
  auto* w = Page(tabs, tabName, caption);
  auto* v = new QVBoxLayout(w);
  v->addWidget(MakeMemo(memo, w));
}

// A sample field of a colour preview: read-only, coloured by the buttons.
QLineEdit* Sample(const char* name, const QString& text, QWidget* p) {
  auto* e = new QLineEdit(text, p);
  e->setObjectName(name);
  e->setReadOnly(true);
  e->setFocusPolicy(Qt::NoFocus);
  return e;
}

QGroupBox* ColourGroup(const char* name, const char* const buttons[5], const char* const samples[4],
                       const char* shape, QWidget* p) {
  auto* g = new QGroupBox(p);
  g->setObjectName(name);
  auto* grid = new QGridLayout(g);
  for (int i = 0; i < 5; ++i) grid->addWidget(MakeColour(buttons[i], g), i, 0);
  auto* s = new QFrame(g);
  s->setObjectName(shape);
  s->setFrameShape(QFrame::Box);
  s->setAutoFillBackground(true);
  auto* sv = new QVBoxLayout(s);
  const char* captions[4] = {"Text color", "Link color", "Visited link color", "Active link color"};
  for (int i = 0; i < 4; ++i) sv->addWidget(Sample(samples[i], captions[i], s));
  grid->addWidget(s, 0, 1, 5, 1);
  return g;
}

}  // namespace

QWidget* TfrmMain::buildIndexTab() {
  auto* tab = new QWidget(this);
  tab->setObjectName("tabIndex");
  auto* v = new QVBoxLayout(tab);
  auto* f = new QFormLayout;
  AddField(f, MakeEdit("IndexFile", tab));
  AddField(f, MakeEdit("IndexTitle", tab));
  f->addRow(MakeCheck("DisablePageLinks", tab));
  f->addRow(MakeColour("butIndexTableBackColor", tab));
  auto* stat = new QGroupBox(" Static text ", tab);
  auto* sf = new QFormLayout(stat);
  AddField(sf, MakeEdit("edtTotalImages", stat));
  AddField(sf, MakeEdit("edtTotalPages", stat));
  f->addRow(stat);
  v->addLayout(f);
  auto* sub = new QTabWidget(tab);
  MemoTab(sub, "tabIndexHeader", "IndexHeader", "Header");
  MemoTab(sub, "tabIndexFooter", "IndexFooter", "Footer");
  v->addWidget(sub, 1);
  return tab;
}

QWidget* TfrmMain::buildGalleryTab() {
  auto* tab = new QWidget(this);
  tab->setObjectName("tabGallery");
  auto* v = new QVBoxLayout(tab);
  auto* top = new QHBoxLayout;
  auto* f = new QFormLayout;
  AddField(f, MakeEdit("GalleryTitle", tab));
  AddField(f, MakeEdit("GalleryPrefix", tab));
  AddField(f, MakeEdit("PageExt", tab));
  AddField(f, MakeEdit("GalleryBackImage", tab));
  f->addRow(MakeCheck("chkDefColors", tab));
  f->addRow(MakeCheck("chkImageShell", tab));
  top->addLayout(f, 1);
  static const char* const b[5] = {"butGalleryForeColor", "butGalleryBackColor",
                                   "butGalleryLinkColor", "butGalleryVisitedLinkColor",
                                   "butGalleryActiveLinkColor"};
  static const char* const s[4] = {"edtTextColor", "edtLinkColor", "edtVisitedLinkColor",
                                   "edtActiveLinkColor"};
  top->addWidget(ColourGroup("GalleryColors", b, s, "Shape1", tab));
  v->addLayout(top);
  auto* sub = new QTabWidget(tab);
  sub->setObjectName("tabGalleryTexts");
  MemoTab(sub, "tabGalleryHeader", "GalleryHeader", "Header");
  MemoTab(sub, "tabGalleryFooter", "GalleryFooter", "Footer");
  MemoTab(sub, "tabText3", "GalleryText3", "Text 3");
  MemoTab(sub, "tabText4", "GalleryText4", "Text 4");
  v->addWidget(sub, 1);
  return tab;
}

QWidget* TfrmMain::buildImageTab() {
  auto* tab = new QWidget(this);
  tab->setObjectName("tabImage");
  auto* v = new QVBoxLayout(tab);
  auto* top = new QHBoxLayout;
  auto* f = new QFormLayout;
  AddField(f, MakeEdit("ImageTitle", tab));
  f->addRow(MakeCheck("UseGalleryCols", tab));
  f->addRow(MakeCheck("ImagePageShowImageName", tab));
  top->addLayout(f, 1);
  static const char* const b[5] = {"butImageForeColor", "butImageBackColor", "butImageLinkColor",
                                   "butImageVisitedLinkColor", "butImageActiveLinkColor"};
  static const char* const s[4] = {"ImageText", "ImageLink", "ImageVisitedLink",
                                   "ImageActiveLink"};
  top->addWidget(ColourGroup("ImageColors", b, s, "Shape2", tab));
  v->addLayout(top);
  auto* sub = new QTabWidget(tab);
  MemoTab(sub, "tabImageHeader", "ImageHeader", "Header");
  MemoTab(sub, "tabImageFooter", "ImageFooter", "Footer");
  v->addWidget(sub, 1);
  return tab;
}

QWidget* TfrmMain::buildNavigationTab() {
  auto* tabs = new QTabWidget(this);
  tabs->setObjectName("tabNavigation");
  auto* gal = new QWidget(tabs);
  gal->setObjectName("tabGalleryNav");
  auto* gf = new QFormLayout(gal);
  AddField(gf, MakeEdit("edtPagePrefix", gal));
  gf->addRow(MakeCheck("IncIndexLink", gal));
  auto* link = MakeEdit("edtIndexLink", gal);
  auto* linkLabel = new QLabel(CaptionFor("edtIndexLink"), gal);
  linkLabel->setObjectName("lblIndexLink");
  gf->addRow(linkLabel, link);
  gf->addRow(MakeCheck("chkShowTopGalleryNavRow", gal));
  gf->addRow(MakeCheck("chkShowBottomGalleryNavRow", gal));
  AddField(gf, MakeSpin("PageBorder", gal));
  AddField(gf, MakeSpin("ButtonsPerRow", gal));
  auto* gc = new QGridLayout;
  gc->addWidget(MakeColour("butPageFontColor", gal), 0, 0);
  gc->addWidget(MakeColour("butPageBackColor", gal), 0, 1);
  gc->addWidget(MakeColour("butActivePageFontColor", gal), 1, 0);
  gc->addWidget(MakeColour("butActivePageBackColor", gal), 1, 1);
  gf->addRow(gc);

  tabs->addTab(ScrollingPage(gal), "Gallery page");

  auto* img = new QWidget(tabs);
  img->setObjectName("tabImageNav");
  auto* imf = new QFormLayout(img);
  AddField(imf, MakeEdit("edtPrevious", img));
  AddField(imf, MakeEdit("edtNext", img));
  AddField(imf, MakeEdit("edtBackToGallery", img));
  AddField(imf, MakeSpin("NavSpacing", img));
  AddField(imf, MakeSpin("NavPadding", img));
  AddField(imf, MakeSpin("NavBorder", img));
  AddField(imf, MakeSpin("NavFontSize", img));
  auto* ic = new QHBoxLayout;
  ic->addWidget(MakeColour("butNavFontColor", img));
  ic->addWidget(MakeColour("butNavBackColor", img));
  ic->addStretch(1);
  imf->addRow(ic);
  imf->addRow(MakeCheck("chkShowTopImageNavRow", img));
  imf->addRow(MakeCheck("chkShowBottomImageNavRow", img));
  tabs->addTab(ScrollingPage(img), "Image Page");
  return tabs;
}

QWidget* TfrmMain::buildAdvancedTab() {
  auto* tab = new QWidget(this);
  tab->setObjectName("tabAdvanced");
  auto* v = new QVBoxLayout(tab);
  auto* codeLabel = new QLabel("Header code (<HEAD>...</HEAD>)", tab);
  codeLabel->setTextFormat(Qt::PlainText);  // the tags are part of the caption
  v->addWidget(codeLabel);
  v->addWidget(MakeMemo("HeaderCode", tab), 1);
  auto* heading = new QLabel("Banner Rotation", tab);
  QFont f = heading->font();
  f.setBold(true);
  heading->setFont(f);
  v->addWidget(heading);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel("Banner bank name", tab));
  auto* banks = new QComboBox(tab);
  banks->setObjectName("BannerBank");
  row->addWidget(banks, 1);
  auto* add = new QToolButton(tab);
  add->setObjectName("butAddBannerBank");
  add->setText("+");
  add->setToolTip("Add new banner bank");
  row->addWidget(add);
  auto* del = new QToolButton(tab);
  del->setObjectName("butDeleteBannerBank");
  del->setText("\u2212");
  del->setToolTip("Delete banner bank");
  row->addWidget(del);
  v->addLayout(row);
  v->addWidget(MakeMemo("BannerCode", tab), 1);
  auto* script = new QHBoxLayout;
  script->addWidget(MakeCheck("WriteScriptFile", tab));
  auto* ext = new QLabel(CaptionFor("edtScriptExt"), tab);
  ext->setObjectName("lblScriptExt");
  script->addWidget(ext);
  script->addWidget(MakeEdit("edtScriptExt", tab));
  auto* gen = new QPushButton("Generate Code", tab);
  gen->setObjectName("butBannerCode");
  script->addWidget(gen);
  script->addStretch(1);
  v->addLayout(script);
  return tab;
}

QWidget* TfrmMain::buildReportsTab() {
  auto* tab = new QWidget(this);
  tab->setObjectName("tabReports");
  auto* g = new QGridLayout(tab);
  auto* reports = new QComboBox(tab);
  reports->setObjectName("cmbReports");
  g->addWidget(reports, 0, 0, 1, 2);
  auto* row = new QHBoxLayout;
  const char* names[3] = {"butAddReport", "butDelReport", "butDupReport"};
  const char* hints[3] = {"Add", "Delete", "Duplicate"};
  const char* glyphs[3] = {"+", "\u2212", "Dup"};
  for (int i = 0; i < 3; ++i) {
    auto* b = new QToolButton(tab);
    b->setObjectName(names[i]);
    b->setText(glyphs[i]);
    b->setToolTip(hints[i]);
    row->addWidget(b);
  }
  auto* exp = new QPushButton("Generate report", tab);
  exp->setObjectName("butExport");
  row->addWidget(exp);
  row->addStretch(1);
  g->addLayout(row, 0, 2);
  auto* file = new QHBoxLayout;
  file->addWidget(new QLabel("Report file name", tab));
  auto* edt = new QLineEdit(tab);
  edt->setObjectName("ReportFile");
  file->addWidget(edt, 1);
  auto* browse = new QToolButton(tab);
  browse->setObjectName("butReportFile");
  browse->setText("...");
  file->addWidget(browse);
  g->addLayout(file, 1, 0, 1, 3);
  auto* idx = new QCheckBox("Index page", tab);
  idx->setObjectName("chkIncludeIndexPage");
  auto* gp = new QCheckBox("Gallery pages", tab);
  gp->setObjectName("chkIncludeGalleryPages");
  g->addWidget(idx, 2, 0);
  g->addWidget(gp, 2, 1);
  auto* sub = new QTabWidget(tab);
  MemoTab(sub, "tabReportHeader", "memoReportHeader", "Header");
  MemoTab(sub, "tabReportTemplate", "memoReportTemplate", "Template");
  MemoTab(sub, "tabReportFooter", "memoReportFooter", "Footer");
  g->addWidget(sub, 3, 0, 1, 2);
  auto* vars = new QVBoxLayout;
  vars->addWidget(new QLabel("Variables caSe-SensiTive", tab));
  auto* list = new QListWidget(tab);
  list->setObjectName("lstVariables");
  vars->addWidget(list, 1);
  vars->addWidget(new QLabel("double-click to copy", tab));
  g->addLayout(vars, 3, 2);
  g->setRowStretch(3, 1);
  g->setColumnStretch(1, 1);
  return tab;
}

QWidget* TfrmMain::buildAboutTab() {
  auto* tab = new QWidget(this);
  tab->setObjectName("tabAbout");
  auto* v = new QVBoxLayout(tab);
  v->addStretch(1);
  const char* names[4] = {"lblAppName", "lblAppVersion", "lblAppDesc", "lblCopyright"};
  for (const char* n : names) {
    auto* l = new QLabel(tab);
    l->setObjectName(n);
    l->setAlignment(Qt::AlignCenter);
    v->addWidget(l);
  }
  QFont f = font();
  f.setPointSizeF(f.pointSizeF() * 2);
  f.setBold(true);
  w<QLabel>("lblAppName")->setFont(f);
  auto* check = new QPushButton("Check for updates", tab);
  check->setObjectName("butUpdateCheck");
  v->addWidget(check, 0, Qt::AlignCenter);
  auto* site = new QLabel(QString("<a href=\"%1/framewright/\">Web site</a>").arg(kMakerSite), tab);
  site->setObjectName("lblWebSite");
  auto* mail = new QLabel("<a href=\"mailto:support@ombrix.example\">Contact</a>", tab);
  mail->setObjectName("lblContact");
  for (QLabel* l : {site, mail}) {
    l->setOpenExternalLinks(true);
    l->setAlignment(Qt::AlignCenter);
    v->addWidget(l);
  }
  v->addStretch(2);
  return tab;
}

}  // namespace fw
