// ESLint for every JavaScript file of the project: the page and its service
// worker in the browser, the tests, the benchmark and the tools in Node. Its modules
// come from web/package.json (tools/estilo links them in as node_modules).

import js from '@eslint/js';
import globals from 'globals';

export default [
  js.configs.recommended,
  {
    rules: {
      eqeqeq: 'error',
      'no-var': 'error',
      'prefer-const': 'error',
      'no-unused-vars': ['error', { caughtErrors: 'none' }],
    },
  },
  { files: ['web/**/*.mjs'], languageOptions: { globals: globals.browser } },
  { files: ['web/servicio.js'], languageOptions: { sourceType: 'script', globals: globals.serviceworker } },
  { files: ['web/cargador.js'], languageOptions: { sourceType: 'script', globals: globals.browser } },
  {
    files: ['tests/**/*.mjs', 'bench/**/*.mjs', 'tools/**/*.mjs', 'eslint.config.mjs'],
    languageOptions: { globals: { ...globals.node, ...globals.browser } },
  },
];
