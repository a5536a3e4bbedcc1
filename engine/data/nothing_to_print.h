#pragma once
// The refusals of a batch that would print only blank envelopes, as the
// launcher and the command line give them.

namespace vl {

// A list with a header and no rows.
inline constexpr const char* kNoAddresses = "The address list has no addresses";
// A list whose columns give neither the recipient's name nor the address;
// followed by how to map them where the user is (the launcher's or the
// command line's way).
inline constexpr const char* kNoRecipientColumn = "No column of the list gives the recipient's name or address: map them with ";

}  // namespace vl
