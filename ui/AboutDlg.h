// CAboutDlg: the product's pictures and how to reach its publisher, with
// links to the sales and support mailboxes and the web site.
#pragma once

#include "ui/LinkStatic.h"
#include "ui/PaleYellowDialog.h"

class CAboutDlg : public PaleYellowDialog {
 public:
  CAboutDlg();

  const CLinkStatic& SalesLink() const { return links_[0]; }
  const CLinkStatic& SupportLink() const { return links_[1]; }
  const CLinkStatic& WebLink() const { return links_[2]; }

 protected:
  bool OnInitDialog() override;
  void Placements(Placement (&placements)[3]) const override;

 private:
  void PlaceLink(CLinkStatic& link, int labelId, const std::string& text);

  CLinkStatic links_[3];
};
