#include "tray/request.h"

Request RequestForNumber(int value) {
  Request request;
  if (PoolForHandOffNumber(value, request.pool)) {
    request.kind = Request::Kind::Pool;
  } else {
    request.kind = Request::Kind::Wallpaper;
    request.id = value;
  }
  return request;
}

Request RequestFromHandOffNumber(int value) {
  return value == 0 ? Request() : RequestForNumber(value);
}

Request RequestFromLinkText(const std::string& text) {
  Request request;
  if (text.empty()) return request;
  request.kind = Request::Kind::Link;
  request.link = text;
  return request;
}
