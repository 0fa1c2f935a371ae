"""The service's web pages: the ones the program opens in the user's browser, and error pages."""

from html import escape
from urllib.parse import unquote

from .reply import HTML, Reply

SCHEME = "kolorowisko:"


def _document(title, body):
    return ("<!DOCTYPE html>\n<html lang=\"pl\"><head><meta charset=\"utf-8\">"
            f"<title>{escape(title)} - Kolorowisko</title></head>\n"
            f"<body>\n<h1>{escape(title)}</h1>\n{body}\n"
            "<p><a href=\"/\">Kolorowisko</a> - tapety na pulpit</p>\n</body></html>\n")


def _page(title, body, status=200):
    return Reply.text(_document(title, body), status, HTML)


def _wallpaper_list(wallpapers):
    if not wallpapers:
        return "<p>Brak tapet.</p>"
    rows = "".join(
        f"<li><a href=\"/zmiana.html?t={w.id}\">{escape(w.title)}</a> ({w.width}x{w.height}) "
        f"<a href=\"{SCHEME}{w.id}\">Ustaw jako tapetę</a></li>\n" for w in wallpapers)
    return f"<ul>\n{rows}</ul>"


def not_found(what="Nie ma takiej strony"):
    return _page("Nie znaleziono", f"<p>{escape(what)}.</p>", 404)


def server_error():
    return _page("Błąd serwera", "<p>Serwer napotkał błąd i nie może odpowiedzieć.</p>", 500)


def long_page():
    """An ordinary HTML page of several kilobytes: what a link to a web page instead of an image
    brings."""
    paragraph = ("<p>Kolorowisko to zbiór tapet na pulpit: krajobrazy, panoramy, abstrakcje i wiele "
                 "innych. Każdą tapetę możesz ocenić, skomentować i dodać do ulubionych.</p>\n")
    return _document("Galeria tapet", paragraph * 40).encode("utf-8")


def home(catalogue, params):
    greeting = ("<p>Witaj, użytkowniku programu Kolorowisko!</p>\n"
                if params.get("ref") == "program" else "")
    pools = (f"<p><a href=\"{SCHEME}-5\">Losuj z Super Tapet</a> | "
             f"<a href=\"{SCHEME}-1\">Losuj z wszystkich tapet</a></p>\n")
    return _page("Super Tapety", greeting + pools + _wallpaper_list(catalogue.featured()))


def wallpaper(catalogue, params):
    try:
        found = catalogue.by_id.get(int(params.get("t", "")))
    except ValueError:
        found = None
    if found is None:
        return not_found("Nie ma takiej tapety")
    body = (f"<p>Numer {found.id}, kategoria {escape(found.category)}, "
            f"{found.width}x{found.height}.</p>\n"
            f"<p><a href=\"{SCHEME}{found.id}\">Ustaw jako tapetę</a> | "
            "<a href=\"#ocen\">Oceń</a> | <a href=\"#komentarze\">Skomentuj</a> | "
            "<a href=\"#ulubione\">Dodaj do ulubionych</a></p>")
    return _page(found.title, body)


def program_menu(catalogue, params):
    return _page("Kolorowisko - program",
                 "<p>Zaloguj się w programie tym samym loginem i hasłem co na stronie; "
                 "kod autoryzacji program otrzyma sam.</p>")


def categories_menu(catalogue, params):
    categories = sorted({w.category for w in catalogue.wallpapers})
    rows = "".join(f"<li>{escape(c)}</li>\n" for c in categories)
    return _page("Ulubione kategorie", f"<ul>\n{rows}</ul>")


def _user_page(catalogue, name, title, pick):
    account = catalogue.accounts.get(unquote(name))
    if account is None:
        return not_found("Nie ma takiego użytkownika")
    return _page(f"{title}: {account.login}", pick(account))


def favourites(catalogue, name):
    return _user_page(catalogue, name, "Ulubione tapety",
                      lambda a: _wallpaper_list(catalogue.account_pool(a, "ulubione_tap")))


def uploads(catalogue, name):
    return _user_page(catalogue, name, "Tapety dodane",
                      lambda a: _wallpaper_list(catalogue.account_pool(a, "dodane_tap")))


def profile(catalogue, name):
    return _user_page(catalogue, name, "Profil",
                      lambda a: "<p>Ulubione kategorie: "
                                f"{escape(', '.join(a.favourite_categories) or 'brak')}.</p>")


EXACT = {"/": home, "/zmiana.html": wallpaper, "/menu_program.html": program_menu,
         "/menu_ulubione_kategorie.html": categories_menu}
# The user pages carry the user name in the path itself.
BY_PREFIX = {"/ulubione-tapety-": favourites, "/tapety-": uploads, "/user_": profile}


def find(path):
    """The page for a path as a function of (catalogue, params); None when there is none."""
    if path in EXACT:
        return EXACT[path]
    for prefix, page in BY_PREFIX.items():
        if path.startswith(prefix):
            return lambda catalogue, params: page(catalogue, path[len(prefix):])
    return None
