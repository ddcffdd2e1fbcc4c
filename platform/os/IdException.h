// Errors of the internet components (HTTP client, ICMP echo client).
#pragma once

#include "platform/rtl/SysUtils.h"

// Base of every error the internet components raise.
ZIDI_DECLARE_EXCEPTION(EIdException, Exception);

// A socket operation failed (connection refused, host not found, no permission
// to open the socket ...). LastError is the system's error number, 0 if none.
class EIdSocketError : public EIdException {
 public:
  explicit EIdSocketError(const QString& message, int lastError = 0)
      : EIdException(message), FLastError(lastError) {}
  int LastError() const { return FLastError; }

 private:
  int FLastError;
};

// No connection within the connect time-out ("Connect timed out.").
ZIDI_DECLARE_EXCEPTION(EIdConnectTimeout, EIdException);
// The reply did not arrive within the time-out ("Read timed out.").
ZIDI_DECLARE_EXCEPTION(EIdReadTimeout, EIdException);
