#include "browser/specification.h"

#include "browser/browser.h"
#include "platform/vb_error.h"

namespace qfw {

std::vector<std::string> ListSpecificationInterfaces(objControl& spec, const std::string& library,
                                                     InterfaceListing listing) {
    Browser& browser = SharedBrowser();
    spec.Clear();
    spec.ControlFileName(library);
    browser.ControlObject(spec);
    std::string info;
    browser.GetControlInfo(spec.ControlFileName(), ListingInfoCode(listing), info);
    std::vector<std::string> interfaces;
    if (const int16_t failure = browser.GetInterfaces(interfaces))
        throw VbError(failure);
    return interfaces;
}

std::vector<std::string> ReadSpecificationItems(objControl& spec,
                                                const std::vector<std::string>& selectedInterfaces,
                                                int16_t interfaceIndex) {
    Browser& browser = SharedBrowser();
    browser.AddSelectedInterfaces(selectedInterfaces);
    browser.ControlObject(spec);
    browser.InterfaceIndex(interfaceIndex);
    std::string info;
    browser.GetControlInfo(spec.ControlFileName(), kInfoMembers, info);
    return browser.EnumerationTypes();
}

std::string InterfaceClassName(const std::string& interfaceText) {
    return interfaceText.substr(0, interfaceText.find(" - "));
}

}  // namespace qfw
