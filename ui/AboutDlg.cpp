// The About dialog.
#include "ui/AboutDlg.h"

#include "res/resource.h"
#include "ui/portable/LinkAddress.h"

namespace {

const char kSalesAddress[] = "sales@orvalis.com";
const char kSupportAddress[] = "support@orvalis.com";
const char kWebSite[] = "www.orvalis.com";
// The links end here, in the dialog's client coordinates.
const int kLinksRight = 350;

}  // namespace

CAboutDlg::CAboutDlg() : PaleYellowDialog(IDD_ABOUTBOX) {}

void CAboutDlg::Placements(Placement (&placements)[3]) const {
  placements[0] = {IDB_SPLASH_PICTURE, IDC_ABOUT_PICTURE, {0, 0}};
  placements[1] = {IDB_SPLASH_TITLE, IDC_ABOUT_TITLE, {0, 0}};
  placements[2] = {IDB_SPLASH_EMBLEM, IDC_ABOUT_EMBLEM, {0, 0}};
}

void CAboutDlg::PlaceLink(CLinkStatic& link, int labelId, const std::string& text) {
  RECT label = {};
  GetWindowRect(Item(labelId), &label);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&label), 2);
  RECT rect = {label.right, label.top, kLinksRight, label.bottom};
  link.Create(rect, text, WS_VISIBLE | SS_NOTIFY | SS_NOPREFIX, Handle(), 8);
}

bool CAboutDlg::OnInitDialog() {
  PaleYellowDialog::OnInitDialog();
  PlaceLink(links_[0], IDC_ABOUT_SALES_LABEL, kSalesAddress);
  links_[0].SetTarget(links::kEmail, std::string("mailto:") + kSalesAddress, "Velotune Sales Questions");
  PlaceLink(links_[1], IDC_ABOUT_SUPPORT_LABEL, kSupportAddress);
  links_[1].SetTarget(links::kEmail, std::string("mailto:") + kSupportAddress, "Velotune Support Questions");
  PlaceLink(links_[2], IDC_ABOUT_WEB_LABEL, kWebSite);
  links_[2].SetTarget(links::kWeb, kWebSite, "");
  return true;
}
