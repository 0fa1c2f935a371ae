"""The wallpapers and accounts of the stand-in service, and how a selection picks one."""

import json
from dataclasses import dataclass
from pathlib import Path

DEFAULT_CATALOGUE = Path(__file__).resolve().parent.parent / "catalogue.json"


@dataclass(frozen=True)
class Wallpaper:
    id: int
    name: str
    width: int
    height: int
    category: str
    featured: bool
    title: str
    colours: tuple


@dataclass(frozen=True)
class Account:
    login: str
    password: str
    code: str
    favourites: tuple
    favourite_categories: tuple
    uploads: tuple


class Refusal(Exception):
    """The service declines a selection; the message goes into an "[error:...]" tag."""


class Catalogue:
    def __init__(self, path=DEFAULT_CATALOGUE):
        self.source = Path(path).read_bytes()
        data = json.loads(self.source)
        self.wallpapers = sorted(
            (Wallpaper(**dict(w, colours=tuple(w["colours"]))) for w in data["wallpapers"]),
            key=lambda w: w.id)
        self.by_id = {w.id: w for w in self.wallpapers}
        self.by_name = {w.name: w for w in self.wallpapers}
        self.accounts = {}
        for a in data["accounts"]:
            account = Account(a["login"], a["password"], a["code"], tuple(a["favourites"]),
                              tuple(a["favourite_categories"]), tuple(a["uploads"]))
            self.accounts[account.login] = account
        self._check()

    def _check(self):
        if not self.featured():
            raise ValueError("the catalogue needs at least one featured wallpaper")
        for w in self.wallpapers:
            if "/" in w.name or "\\" in w.name or w.name.startswith("."):
                raise ValueError(f"wallpaper name {w.name!r} is not a plain file name")
        for a in self.accounts.values():
            unknown = set(a.favourites + a.uploads) - self.by_id.keys()
            if unknown:
                raise ValueError(f"account {a.login!r} names unknown wallpapers {sorted(unknown)}")

    def featured(self):
        return [w for w in self.wallpapers if w.featured]

    def in_categories(self, categories):
        return [w for w in self.wallpapers if w.category in categories]

    def account_pool(self, account, pokaz):
        if pokaz == "ulubione_tap":
            return [self.by_id[i] for i in sorted(account.favourites)]
        if pokaz == "ulubione_kat":
            return self.in_categories(account.favourite_categories)
        return [self.by_id[i] for i in sorted(account.uploads)]

    def pool(self, params):
        """The wallpapers that a selection request draws from, ordered by id.

        params is the decoded query. Raises Refusal when the service would answer with an error.
        """
        pokaz = params.get("pokaz")
        if pokaz == "all":
            return self.featured() if params.get("premiowane") == "tak" else list(self.wallpapers)
        if pokaz not in ("ulubione_tap", "ulubione_kat", "dodane_tap"):
            raise Refusal("Nieznana pula tapet")
        account = self.accounts.get(params.get("user", ""))
        if account is None:
            raise Refusal("Nieznany użytkownik")
        code = params.get("kod_user", "")
        # An empty code is what the program sends when it keeps no code; a wrong one is refused.
        if code and code != account.code:
            raise Refusal("Błędny kod autoryzacji")
        wallpapers = self.account_pool(account, pokaz)
        if not wallpapers:
            raise Refusal("Brak tapet w wybranej puli")
        return wallpapers

    def choose(self, params):
        """The wallpaper for a selection request: entry losowa modulo the pool's size."""
        wallpapers = self.pool(params)
        return wallpapers[losowa(params) % len(wallpapers)]

    def choose_any(self, params):
        """Like choose, but falls back to all wallpapers when the request's pool is refused."""
        try:
            return self.choose(params)
        except Refusal:
            return self.wallpapers[losowa(params) % len(self.wallpapers)]


def losowa(params):
    try:
        return int(params.get("losowa", "0"))
    except ValueError:
        return 0
