// Debian's chromium driven by playwright-core, and where the pages under test come from.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdirSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const here = dirname(fileURLToPath(import.meta.url));
const root = resolve(here, '..', '..');

// The folder of pages and pictures extracted from the built exe (tests/pages/run makes
// it). Without one, a local run falls back to the sources and says so.
export function pagesFolder() {
  const folder = process.env.KOLOROWISKO_PAGES_DIR;
  if (folder) {
    if (!existsSync(join(folder, 'opcje.html'))) {
      throw new Error(`KOLOROWISKO_PAGES_DIR=${folder} holds no opcje.html`);
    }
    return resolve(folder);
  }
  if (!pagesFolder.warned) {
    console.log('# KOLOROWISKO_PAGES_DIR not set: testing resources/pages, not the exe\'s resources');
    pagesFolder.warned = true;
  }
  return join(root, 'resources', 'pages');
}

export function pageUrl(name) {
  return pathToFileURL(join(pagesFolder(), name)).href;
}

export function artifactsDir() {
  const dir = resolve(process.env.KOLOROWISKO_ARTIFACTS_DIR || join(root, 'build', 'pages-artifacts'));
  mkdirSync(dir, { recursive: true });
  return dir;
}

function chromiumPath() {
  return execFileSync('sh', ['-c', 'command -v chromium'], { encoding: 'utf8' }).trim();
}

// A browser on a fresh profile of its own, at the settings window's client size, that
// reaches nothing but the files it is given.
export async function launchBrowser() {
  const profile = mkdtempSync(join(tmpdir(), 'kolorowisko-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: chromiumPath(),
    headless: true,
    viewport: { width: 745, height: 425 },
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  return {
    context,
    async close() {
      await context.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// A new page of the browser, with the given scripts run first in every document.
export async function openPage(browser, name, ...initScripts) {
  const page = await browser.context.newPage();
  for (const script of initScripts) await page.addInitScript(script);
  await page.goto(pageUrl(name));
  return page;
}
