// The toolbar's web-site label: the maker's site name as raised grey text at the strip's top
// right corner, with the site's address as its hint; a click opens the address with the
// desktop's browser.
#pragma once

#include "widgets/ReliefLabel.h"

#include <string>

namespace glyphora {

// The name a web address shows: the host, without the scheme, a "www." prefix, port and path.
std::string SiteName(const std::string& address);

class SiteLabel final : public ReliefLabel {
public:
    // address: the site's address; the label sits on strip and keeps its distance from the
    // strip's right edge as the strip is resized.
    SiteLabel(const std::string& address, QWidget* strip);

    const std::string& address() const { return address_; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keepToTheRight();

    std::string address_;
};

} // namespace glyphora
